#include "render/SurfaceClipping.h"

#include "geometry/Truncate.h"

#include <algorithm>
#include <vector>

namespace velmora {

namespace {

// Triangles only: corners past the third belong to no clipped shape.
std::size_t cornerCount(const Surface& surface) {
    return std::min<std::size_t>(surface.viewVertices.size(), 3);
}

bool inFront(const Vertex& corner) {
    return corner.z > 0.0f;
}

// The crossing becomes the corner's new place, one unit in front of the eye.
void moveOntoCrossing(Vertex& corner, const Vertex& crossing) {
    corner.x = crossing.x;
    corner.y = crossing.y;
    corner.z = 1.0f;
}

// The line from `from` with the given direction, cut with the eye plane.
Vertex crossEyePlane(const Vertex& from, float dx, float dy, float dz) {
    return intersectLineWithPlane(eyeClipPlane(), {from.x, from.y, from.z, dx, dy, dz});
}

float truncated(float value) {
    return static_cast<float>(truncateToInt(value));
}

} // namespace

Plane eyeClipPlane() {
    static const Plane plane = planeOfVertices({{-100, 0, 0}, {100, 0, 0}, {0, 100, 0}});
    return plane;
}

std::optional<std::size_t> firstVertexBehind(const Surface& surface) {
    for (std::size_t k = 0; k < cornerCount(surface); ++k) {
        if (!inFront(surface.viewVertices[k])) {
            return k;
        }
    }
    return std::nullopt;
}

void clipOneInFront(Surface& surface) {
    std::vector<Vertex>& corners = surface.viewVertices;
    const std::size_t count = cornerCount(surface);
    const auto front = std::find_if(corners.begin(), corners.begin() + count, inFront);
    if (front == corners.begin() + count) {
        return;
    }
    const Vertex p = *front;
    for (std::size_t k = 0; k < count; ++k) {
        Vertex& v = corners[k];
        if (!inFront(v)) {
            moveOntoCrossing(v, crossEyePlane(p, v.x - p.x, v.y - p.y, v.z - p.z));
        }
    }
}

void clipTwoInFront(Surface& surface, Surface& second) {
    const std::optional<std::size_t> behind = firstVertexBehind(surface);
    if (!behind) {
        return;
    }
    const Vertex b = surface.viewVertices[*behind];
    second = surface;
    std::optional<std::size_t> firstFront;
    for (std::size_t k = 0; k < cornerCount(surface); ++k) {
        const Vertex& v = surface.viewVertices[k];
        if (k == *behind || !inFront(v)) {
            continue;
        }
        // Whole-unit directions: a depth difference under one unit gives dz = 0, and the
        // crossing is then the corner behind itself.
        const Vertex crossing =
            crossEyePlane(b, truncated(b.x - v.x), truncated(b.y - v.y), truncated(b.z - v.z));
        if (!firstFront) {
            moveOntoCrossing(surface.viewVertices[*behind], crossing);
            moveOntoCrossing(second.viewVertices[*behind], crossing);
            firstFront = k;
        } else {
            moveOntoCrossing(second.viewVertices[*firstFront], crossing);
            break;
        }
    }
}

bool clipSurfaceAtEye(Surface& surface, Surface& second, std::ostream& messages) {
    const auto begin = surface.viewVertices.begin();
    const auto frontCount = std::count_if(begin, begin + cornerCount(surface), inFront);
    if (frontCount == 1) {
        clipOneInFront(surface);
        return false;
    }
    if (frontCount == 2) {
        clipTwoInFront(surface, second);
        return true;
    }
    messages << "not sure what the hell happened" << std::endl;
    return true;
}

} // namespace velmora
