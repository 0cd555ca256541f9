#pragma once

#include "geometry/Rotation.h"
#include "geometry/SourcePosition.h"
#include "geometry/Vertex.h"

#include <cstdint>
#include <string>
#include <vector>

namespace velmora {

enum FillType : std::int32_t { kTextureFill = 0, kColorFill = 1 };

// A polygon of the scene: its corners in world space, a second set of corners in camera space
// (rewritten every frame), and how it is filled.
class Surface {
  public:
    virtual ~Surface() = default;
    Surface() = default;
    Surface(const Surface&) = default;
    Surface(Surface&&) noexcept = default;
    Surface& operator=(const Surface&) = default;
    Surface& operator=(Surface&&) noexcept = default;

    // Appends a corner to both corner lists.
    void addCorner(const Vertex& corner);

    void translate(const Vertex& offset);
    void rotateAboutY(const RotationMatrix& m);
    void setViewFromWorld(const Vertex& offset);
    void rotateView(const RotationMatrix& m);

    // A copy with the same fill, names, depth flag and source but no corners.
    Surface withoutCorners() const;

    std::vector<Vertex> vertices;
    std::vector<Vertex> viewVertices;
    std::int32_t fillType = kColorFill;
    std::string colorName;
    std::string textureName;
    std::string name;
    std::int32_t writesDepth = 1;
    // The line of its name in the world file that defined it; copies and pieces keep it.
    SourcePosition source;
};

} // namespace velmora
