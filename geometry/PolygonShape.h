#pragma once

#include "geometry/Vertex.h"

#include <cstddef>
#include <optional>
#include <utility>
#include <vector>

namespace velmora {

// Faults of a polygon's shape that load without complaint but draw wrong: the program fills a
// polygon as triangles fanned from its first corner, and sorts it by the plane of its first
// three corners.

// The corner farthest from the plane of the first three, and how far it lies; nothing when the
// polygon has fewer than four corners or its first three lie on one line.
struct CornerOffset {
    std::size_t corner = 0;
    double distance = 0.0;
};
std::optional<CornerOffset> farthestFromFirstPlane(const std::vector<Vertex>& corners);

// Twice the polygon's area (the length of its Newell normal).
double doubleArea(const std::vector<Vertex>& corners);

// Two sides that are not neighbours and cross each other, seen along the polygon's main normal
// axis; nothing when no two do. Side k runs from corner k to corner k + 1 (the last back to 0).
// Every pair of sides is tried, so a polygon of more than kMostCrossingCorners corners is not
// looked at (nothing).
inline constexpr std::size_t kMostCrossingCorners = 1024;
std::optional<std::pair<std::size_t, std::size_t>> crossingSides(const std::vector<Vertex>& corners);

} // namespace velmora
