#pragma once

#include "geometry/Rotation.h"
#include "geometry/Vertex.h"
#include "render/ColorBuffer.h"
#include "render/DepthBuffer.h"

namespace velmora {

// Something standing in the scene that is not part of the tree: it follows the frame's view
// transform and is drawn after the tree, hidden where nearer surfaces wrote a smaller depth.
class SceneFigure {
  public:
    virtual ~SceneFigure() = default;
    virtual void translate(const Vertex& offset) = 0;
    virtual void rotate(const RotationMatrix& m) = 0;
    virtual void draw(ColorBuffer& frame, DepthBuffer& depth) = 0;
};

} // namespace velmora
