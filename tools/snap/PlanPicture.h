#pragma once

#include "PlanLayout.h"
#include "world/World.h"

#include <string>

namespace velmora::snap {

// Draws the world from above with that layout: the ground grid at the start, a grid in world
// units, the figures with their trigger zones and names, the start with its heading, the
// collision edges on top (walls dark, ledges coloured by height) and a scale bar with a key
// below. Writes it as a PNG; false when it cannot be drawn or written.
bool writePlan(const World& world, const PlanLayout& layout, const std::string& path);

} // namespace velmora::snap
