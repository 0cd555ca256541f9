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

    void place(Surface& surface) const {
        surface.setViewFromWorld(offset);
        surface.rotateView(rotation);
    }
};

} // namespace velmora
