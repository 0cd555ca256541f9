#pragma once

#include "geometry/Surface.h"

#include <string>
#include <vector>

namespace velmora {

// A named list of surfaces: a definition from a world file, or a placed copy of one.
class Object3D {
  public:
    virtual ~Object3D() = default;
    Object3D() = default;
    explicit Object3D(std::string objectName) : name(std::move(objectName)) {}
    Object3D(const Object3D&) = default;
    Object3D(Object3D&&) noexcept = default;
    Object3D& operator=(const Object3D&) = default;
    Object3D& operator=(Object3D&&) noexcept = default;

    void translate(const Vertex& offset);
    // Turns every surface about the vertical line through pivot.
    void rotateAboutY(float radians, const Vertex& pivot);
    void appendSurfacesTo(std::vector<Surface>& out) const;
    void addSurfaces(const std::vector<Surface>& more);

    std::string name;
    std::vector<Surface> surfaces;
};

} // namespace velmora
