#pragma once

#include "geometry/Surface.h"
#include "render/ColorBuffer.h"
#include "render/ColorTools.h"
#include "render/Coverage.h"
#include "render/DepthRasterizer.h"

#include <array>

namespace velmora {

// Draws one triangle of the scene per call: clips it at the eye plane, projects it, works out
// the pixels it covers once, and writes its depth and its solid colour there. Handed the
// triangles back to front it paints over what came before; with masks, handed them front to
// back, it writes only what the masks leave free, which comes to the same picture.
class SurfacePainter {
  public:
    SurfacePainter(ColorBuffer& frame, DepthRasterizer& rasterizer, const ColorTools& colors,
                   PaintMasks* masks = nullptr);

    // Uses the first three viewVertices (camera space) and overwrites their x and y with frame
    // positions. A visible surface whose colour has no brush ends the program (FatalError).
    // `known`, when given, holds the pixels of a triangle wholly in front, worked out from its
    // corners projected as here.
    void drawSurface(Surface& surface, const Coverage* known = nullptr);

  private:
    void drawInFront(Surface& surface, const Coverage* known = nullptr);
    std::uint32_t colorOf(const Surface& surface);

    ColorBuffer& frame_;
    DepthRasterizer& rasterizer_;
    const ColorTools& colors_;
    PaintMasks* masks_;
    Coverage covered_;
    // The brushes of the last two colours painted.
    std::array<const ColorTools::Brush*, 2> recent_{};
};

} // namespace velmora
