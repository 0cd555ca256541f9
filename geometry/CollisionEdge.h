#pragma once

#include "geometry/Surface.h"
#include "geometry/Truncate.h"

#include <cstdint>
#include <optional>
#include <string>

namespace velmora {

// The trace of a wall, or of a ground-level triangle side, on the ground plane; walking is
// tested against these.
struct CollisionEdge {
    std::int32_t minY = 0;
    std::int32_t maxY = 0;
    std::int32_t height = 0;
    std::int32_t x1 = 0;
    std::int32_t z1 = 0;
    std::int32_t x2 = 0;
    std::int32_t z2 = 0;
    std::int32_t isVertical = 0;
    std::int32_t isHorizontal = 0;
    float slope = 0.0f;
    float intercept = 0.0f;
    float xIntercept = 0.0f;
    std::string name;
};

// 1 when the first three corners lie on one line seen from above (a wall), else 0.
std::int32_t isVerticalTriangle(const Surface& surface);

// The edge of a triangle, if it has one: walls give their footprint, other triangles their first
// side that lies on the ground.
std::optional<CollisionEdge> buildCollisionEdge(const Surface& surface);

} // namespace velmora
