#pragma once

#include "geometry/Vertex.h"
#include "render/ColorBuffer.h"
#include "render/Coverage.h"
#include "render/DepthBuffer.h"
#include "render/OcclusionMask.h"

#include <cstdint>
#include <ostream>

namespace velmora {

// The plane a·x + b·y + c·z + d = 0 through a projected triangle, x and y being the screen
// column and row and z the camera-space depth.
struct DepthPlane {
    float a = 0.0f;
    float b = 0.0f;
    float c = 0.0f;
    float d = 0.0f;
};

// The depth plane through three projected corners, normal (p3 − p1) × (p2 − p1). Collinear
// corners give c = 0.
DepthPlane depthPlaneOf(const Vertex& p1, const Vertex& p2, const Vertex& p3);

// The depth of the plane at pixel (x, y): (−a·x − d − b·y) / c in double precision, truncated
// toward zero. The buffer keeps the low 16 bits of it.
std::int32_t depthAt(const DepthPlane& plane, int x, int y);

// Writes the depth of projected triangles into a depth buffer: over what is there when they
// arrive back to front, or, given a mask, only where nothing has been written when they arrive
// front to back. A triangle covers the pixels of the one coverage rule (Coverage.h), the
// very pixels its colour fill paints, so that triangles sharing an edge leave no pixel between
// them unwritten. When `trace` is set, every triangle is described on it before it is drawn.
class DepthRasterizer {
  public:
    explicit DepthRasterizer(DepthBuffer& buffer, std::ostream* trace = nullptr);

    // Writes the depth of the triangle (x, y frame position, z depth) at every pixel it covers:
    // depthAt of the triangle's plane at that pixel. A triangle whose corners are collinear
    // writes nothing.
    void rasterizeDepthTriangle(const Vertex& p1, const Vertex& p2, const Vertex& p3);

    // The same, for a triangle whose coverage has been worked out already (for its colour);
    // with `unwritten`, only where it is not set yet, setting it there. With `color`, the
    // pixels whose depth is written are painted in it in the same pass. False when the corners
    // are collinear and nothing was written, colour included.
    struct SpanColor {
        ColorBuffer& frame;
        std::uint32_t rgb;
    };
    bool rasterizeDepthTriangle(const Vertex& p1, const Vertex& p2, const Vertex& p3,
                                const Coverage& covered, OcclusionMask* unwritten = nullptr,
                                const SpanColor* color = nullptr);

  private:
    DepthBuffer& buffer_;
    std::ostream* trace_;
    Coverage scratch_;
};

} // namespace velmora
