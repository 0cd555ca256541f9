#pragma once

#include "geometry/Vertex.h"
#include "world/Object3D.h"

#include <optional>
#include <vector>

namespace velmora {

// Where a point stands among the placed surfaces: for the start, whether it is shut inside
// something solid and what floor is under it.

// Whether the point lies inside closed surfaces: rays from it along the ground in four
// directions and one straight up each cross the placed surfaces an odd number of times. A room
// with a doorway, or a hall without a roof, leaves a ray that crosses evenly.
bool isEnclosed(const std::vector<Object3D>& instances, const Vertex& point);

// The height of the highest placed surface straight below the point, or of the ground (y 0)
// when that is higher; nothing when the point lies below the ground and over no surface.
std::optional<double> floorBelow(const std::vector<Object3D>& instances, const Vertex& point);

} // namespace velmora
