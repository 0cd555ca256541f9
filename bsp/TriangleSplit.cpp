#include "bsp/TriangleSplit.h"

#include <algorithm>
#include <optional>
#include <string_view>
#include <utility>

namespace velmora {

namespace {

// Where the plane crosses the line from `from` towards `to`.
Vertex crossing(const Plane& plane, const Vertex& from, const Vertex& to) {
    const ParametricLine line{from.x, from.y, from.z, to.x - from.x, to.y - from.y, to.z - from.z};
    return intersectLineWithPlane(plane, line);
}

std::optional<int> firstCornerOfClass(const CornerClasses& classes, PlaneSide side) {
    for (int k = 0; k < 3; ++k) {
        if (classes[k] == side) {
            return k;
        }
    }
    return std::nullopt;
}

CornerClasses swapSides(const CornerClasses& classes) {
    CornerClasses swapped = classes;
    for (PlaneSide& side : swapped) {
        if (side == OriginSide) {
            side = FarSide;
        } else if (side == FarSide) {
            side = OriginSide;
        }
    }
    return swapped;
}

// Each cut appends its suffix, so a fragment deep in the tree would carry a chain of suffixes
// that grows with every level and is copied into each of its parts. Nothing shows the names of
// parts; a name this long is passed on as it is instead of growing further.
constexpr std::size_t kLongestPartName = 48;

Surface namedPart(const Surface& triangle, std::string_view suffix) {
    Surface part = triangle.withoutCorners();
    if (part.name.size() + suffix.size() <= kLongestPartName) {
        part.name += suffix;
    }
    // A part has three corners; reserving them spares each list a larger block.
    part.vertices.reserve(3);
    part.viewVertices.reserve(3);
    return part;
}

} // namespace

void makeSingleVertexPart(const Surface& triangle, const CornerClasses& classes, const Plane& plane,
                          std::vector<Surface>& out) {
    const std::optional<int> lone = firstCornerOfClass(classes, OriginSide);
    if (!lone || triangle.vertices.size() < 3) {
        return;
    }
    const Vertex& l = triangle.vertices[*lone];
    Surface part = namedPart(triangle, "_near_part");
    for (int k = 0; k < 3; ++k) {
        if (classes[k] != FarSide) {
            part.addCorner(triangle.vertices[k]);
        }
    }
    for (int k = 0; k < 3; ++k) {
        if (classes[k] == FarSide) {
            part.addCorner(crossing(plane, l, triangle.vertices[k]));
        }
    }
    out.push_back(std::move(part));
}

void makeTwoVertexParts(const Surface& triangle, const CornerClasses& classes, const Plane& plane,
                        std::vector<Surface>& out) {
    const std::optional<int> lone = firstCornerOfClass(classes, OriginSide);
    if (!lone || triangle.vertices.size() < 3) {
        return;
    }
    const Vertex& l = triangle.vertices[*lone];
    const Vertex& f1 = triangle.vertices[*lone == 0 ? 1 : 0];
    const Vertex& f2 = triangle.vertices[*lone == 2 ? 1 : 2];
    const Vertex i1 = crossing(plane, l, f1);
    const Vertex i2 = crossing(plane, l, f2);

    Surface first = namedPart(triangle, "_part_1");
    for (const Vertex& corner : {i1, f1, f2}) {
        first.addCorner(corner);
    }
    Surface second = namedPart(triangle, "_part_2");
    for (const Vertex& corner : {i1, i2, f2}) {
        second.addCorner(corner);
    }
    out.push_back(std::move(first));
    out.push_back(std::move(second));
}

void splitTriangle(const Surface& triangle, const Surface& partition, const CornerClasses& classes,
                   std::vector<Surface>& originParts, std::vector<Surface>& farParts) {
    if (triangle.vertices.size() < 3) {
        return;
    }
    const Plane plane = planeOfVertices(partition.vertices);
    const auto farCount = std::count(classes.begin(), classes.end(), FarSide);
    const auto originCount = std::count(classes.begin(), classes.end(), OriginSide);
    const CornerClasses swapped = swapSides(classes);
    if (farCount == 2) {
        makeSingleVertexPart(triangle, classes, plane, originParts);
        makeTwoVertexParts(triangle, classes, plane, farParts);
    } else if (originCount == 2) {
        makeTwoVertexParts(triangle, swapped, plane, originParts);
        makeSingleVertexPart(triangle, swapped, plane, farParts);
    } else {
        makeSingleVertexPart(triangle, classes, plane, originParts);
        makeSingleVertexPart(triangle, swapped, plane, farParts);
    }
}

} // namespace velmora
