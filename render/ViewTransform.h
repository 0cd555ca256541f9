#pragma once

#include "geometry/Rotation.h"
#include "geometry/Surface.h"

namespace velmora {

// From world space to camera space for one frame: first the offset (the negated eye position),
// then the turn by the frame angle, with the very float operations the surfaces use, so that a
// surface moved now or later gets the same corners.
struct ViewTransform {
    Vertex offset;
    RotationMatrix rotation{};

    // setViewFromWorld(offset) then rotateView(rotation), in one pass over the corners: the walk
    // places every surface it reaches.
    void place(Surface& surface) const {
        for (std::size_t i = 0; i < surface.vertices.size(); ++i) {
            const Vertex& world = surface.vertices[i];
            Vertex& view = surface.viewVertices[i];
            view.x = world.x + offset.x;
            view.y = world.y + offset.y;
            view.z = world.z + offset.z;
            applyRotation(rotation, view);
        }
    }
};

} // namespace velmora
