#include "geometry/CollisionEdge.h"

#include <algorithm>
#include <cmath>

namespace velmora {

std::int32_t isVerticalTriangle(const Surface& surface) {
    const Vertex& c0 = surface.vertices[0];
    const Vertex& c1 = surface.vertices[1];
    const Vertex& c2 = surface.vertices[2];
    const std::int32_t dx1 = truncateToInt(c0.x - c1.x);
    const std::int32_t dz1 = truncateToInt(c0.z - c1.z);
    if (dx1 != 0) {
        const float s1 = static_cast<float>(dz1) / static_cast<float>(dx1);
        const std::int32_t dx2 = truncateToInt(c0.x - c2.x);
        const std::int32_t dz2 = truncateToInt(c0.z - c2.z);
        if (dx2 == 0) {
            return dz2 == 0 ? 1 : 0;
        }
        const float s2 = static_cast<float>(dz2) / static_cast<float>(dx2);
        return std::fabs(s1 - s2) < 0.001f ? 1 : 0;
    }
    if (dz1 == 0) {
        return 1;
    }
    return std::fabs(c2.x - c0.x) < 0.2f ? 1 : 0;
}

namespace {

// The index of the corner that the comparison prefers; ties keep the earlier corner.
template <typename Better> std::size_t pickCorner(const Surface& surface, Better better) {
    std::size_t chosen = 0;
    for (std::size_t k = 1; k < 3; ++k) {
        if (better(surface.vertices[k], surface.vertices[chosen])) {
            chosen = k;
        }
    }
    return chosen;
}

void setEndPoints(CollisionEdge& edge, const Vertex& first, const Vertex& second) {
    edge.x1 = truncateToInt(first.x);
    edge.z1 = truncateToInt(first.z);
    edge.x2 = truncateToInt(second.x);
    edge.z2 = truncateToInt(second.z);
}

// A wall's footprint: along z when all corners share one x, else from least to greatest x.
void setWallEndPoints(CollisionEdge& edge, const Surface& surface) {
    const Vertex& c0 = surface.vertices[0];
    const Vertex& c1 = surface.vertices[1];
    const Vertex& c2 = surface.vertices[2];
    if (c0.x == c1.x && c1.x == c2.x) {
        const std::size_t far = pickCorner(surface, [](auto& a, auto& b) { return a.z > b.z; });
        const std::size_t near = pickCorner(surface, [](auto& a, auto& b) { return a.z < b.z; });
        setEndPoints(edge, surface.vertices[far], surface.vertices[near]);
    } else {
        const std::size_t left = pickCorner(surface, [](auto& a, auto& b) { return a.x < b.x; });
        const std::size_t right = pickCorner(surface, [](auto& a, auto& b) { return a.x > b.x; });
        setEndPoints(edge, surface.vertices[left], surface.vertices[right]);
    }
}

// The first side whose two corners lie on the ground, if any.
bool setGroundEndPoints(CollisionEdge& edge, const Surface& surface) {
    static constexpr std::size_t pairs[3][2] = {{0, 1}, {1, 2}, {0, 2}};
    for (const auto& pair : pairs) {
        const Vertex& a = surface.vertices[pair[0]];
        const Vertex& b = surface.vertices[pair[1]];
        if (a.y == 0.0f && b.y == 0.0f) {
            setEndPoints(edge, a, b);
            return true;
        }
    }
    return false;
}

void setHeights(CollisionEdge& edge, const Surface& surface) {
    std::int32_t least = 9999;
    std::int32_t greatest = -9999;
    for (const Vertex& corner : surface.vertices) {
        least = std::min(least, truncateToInt(corner.y));
        greatest = std::max(greatest, truncateToInt(corner.y));
    }
    edge.minY = least;
    edge.maxY = greatest;
    edge.height = truncateToInt(static_cast<double>(greatest) - least);
}

void setLine(CollisionEdge& edge) {
    if (edge.x1 == edge.x2) {
        edge.isVertical = 1;
        edge.xIntercept = static_cast<float>(edge.x1);
        return;
    }
    // 64-bit intermediates: the end points may lie anywhere in the 32-bit range.
    const std::int64_t m = (std::int64_t{edge.z2} - edge.z1) / (std::int64_t{edge.x2} - edge.x1);
    const std::int64_t intercept = edge.z1 - std::int64_t{edge.x1} * m;
    edge.slope = static_cast<float>(m);
    edge.intercept = static_cast<float>(intercept);
    edge.xIntercept = m != 0 ? -edge.intercept / edge.slope : 0.0f;
    edge.isHorizontal = m == 0 ? 1 : 0;
}

} // namespace

std::optional<CollisionEdge> buildCollisionEdge(const Surface& surface) {
    CollisionEdge edge;
    if (isVerticalTriangle(surface) == 1) {
        setWallEndPoints(edge, surface);
    } else if (!setGroundEndPoints(edge, surface)) {
        return std::nullopt;
    }
    setHeights(edge, surface);
    setLine(edge);
    edge.name = surface.name + "_edge";
    return edge;
}

} // namespace velmora
