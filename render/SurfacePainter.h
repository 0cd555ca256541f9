#pragma once

#include "geometry/Surface.h"
#include "render/ColorBuffer.h"
#include "render/ColorTools.h"
#include "render/Coverage.h"
#include "render/DepthRasterizer.h"

namespace velmora {

// Draws one triangle of the scene per call, as the tree walk hands them back to front: clips it
// at the eye plane, projects it, works out the pixels it covers once, and writes its depth and
// its solid colour there. There is no culling; what lies outside the frame paints nothing.
class SurfacePainter {
  public:
    SurfacePainter(ColorBuffer& frame, DepthRasterizer& rasterizer, const ColorTools& colors);

    // Uses the first three viewVertices (camera space) and overwrites their x and y with frame
    // positions. A visible surface whose colour has no brush ends the program (FatalError).
    void drawSurface(Surface& surface);

  private:
    void drawInFront(Surface& surface);
    std::uint32_t colorOf(const Surface& surface) const;

    ColorBuffer& frame_;
    DepthRasterizer& rasterizer_;
    const ColorTools& colors_;
    Coverage covered_;
};

} // namespace velmora
