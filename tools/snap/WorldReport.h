#pragma once

#include "world/World.h"

#include <ostream>

namespace velmora::snap {

// The world's figures, one "name: value" line each.
void printStats(const World& world, std::ostream& out);

// Every collision edge, in the edge listing's format.
void printEdges(const World& world, std::ostream& out);

} // namespace velmora::snap
