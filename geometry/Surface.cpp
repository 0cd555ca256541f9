#include "geometry/Surface.h"

namespace velmora {

void Surface::addCorner(const Vertex& corner) {
    vertices.push_back(corner);
    viewVertices.push_back(corner);
}

void Surface::translate(const Vertex& offset) {
    for (Vertex& corner : vertices) {
        corner.x += offset.x;
        corner.y += offset.y;
        corner.z += offset.z;
    }
}

void Surface::rotateAboutY(const RotationMatrix& m) {
    for (Vertex& corner : vertices) {
        applyRotation(m, corner);
    }
}

void Surface::setViewFromWorld(const Vertex& offset) {
    for (std::size_t i = 0; i < vertices.size(); ++i) {
        Vertex& view = viewVertices[i];
        view.x = vertices[i].x + offset.x;
        view.y = vertices[i].y + offset.y;
        view.z = vertices[i].z + offset.z;
    }
}

void Surface::rotateView(const RotationMatrix& m) {
    for (std::size_t i = 0; i < vertices.size(); ++i) {
        applyRotation(m, viewVertices[i]);
    }
}

Surface Surface::withoutCorners() const {
    Surface copy;
    copy.fillType = fillType;
    copy.colorName = colorName;
    copy.textureName = textureName;
    copy.name = name;
    copy.writesDepth = writesDepth;
    copy.source = source;
    return copy;
}

} // namespace velmora
