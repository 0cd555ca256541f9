#include "world/Object3D.h"

namespace velmora {

void Object3D::translate(const Vertex& offset) {
    for (Surface& surface : surfaces) {
        surface.translate(offset);
    }
}

void Object3D::rotateAboutY(float radians, const Vertex& pivot) {
    const RotationMatrix m = rotationAboutY(radians);
    Vertex toPivot;
    toPivot.x = -pivot.x;
    toPivot.z = -pivot.z;
    for (Surface& surface : surfaces) {
        surface.translate(toPivot);
        surface.rotateAboutY(m);
        surface.translate(pivot);
    }
}

void Object3D::appendSurfacesTo(std::vector<Surface>& out) const {
    out.insert(out.end(), surfaces.begin(), surfaces.end());
}

void Object3D::addSurfaces(const std::vector<Surface>& more) {
    surfaces.insert(surfaces.end(), more.begin(), more.end());
}

} // namespace velmora
