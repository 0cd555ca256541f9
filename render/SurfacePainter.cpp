#include "render/SurfacePainter.h"

#include "platform/FatalError.h"
#include "render/GuardBand.h"
#include "render/Projection.h"
#include "render/SurfaceClipping.h"

#include <cmath>

namespace velmora {

namespace {

int cornersInFront(const Surface& surface) {
    int count = 0;
    for (std::size_t i = 0; i < 3; ++i) {
        count += surface.viewVertices[i].z > 0.0f ? 1 : 0;
    }
    return count;
}

} // namespace

SurfacePainter::SurfacePainter(ColorBuffer& frame, DepthRasterizer& rasterizer,
                               const ColorTools& colors)
    : frame_(frame), rasterizer_(rasterizer), colors_(colors) {}

void SurfacePainter::drawSurface(Surface& surface) {
    if (surface.viewVertices.size() < 3) {
        return;
    }
    const int inFront = cornersInFront(surface);
    if (inFront == 0) {
        return;
    }
    if (inFront == 3) {
        drawInFront(surface);
        return;
    }
    // The clip moves every corner behind the eye onto depth 1, so both parts are wholly in front.
    Surface second = surface;
    const bool two = clipSurfaceAtEye(surface, second);
    drawInFront(surface);
    if (two) {
        drawInFront(second);
    }
}

void SurfacePainter::drawInFront(Surface& surface) {
    Vertex projected[3];
    for (std::size_t i = 0; i < 3; ++i) {
        Vertex& corner = surface.viewVertices[i];
        const ScreenPosition position = projectPoint(corner.x, corner.y, corner.z);
        corner.x = position.x;
        corner.y = position.y;
        projected[i] = {position.x, position.y, corner.z};
    }
    if (surface.writesDepth != 0) {
        rasterizer_.rasterizeDepthTriangle(projected[0], projected[1], projected[2]);
    }
    fill(surface);
}

void SurfacePainter::fill(const Surface& surface) {
    const std::optional<std::uint32_t> color = colors_.brush(surface.colorName);
    if (!color) {
        throw platform::FatalError("ERROR: brush " + surface.colorName + " is null!\n", "Error",
                                   platform::MessageIcon::Error);
    }
    const auto& v = surface.viewVertices;
    for (std::size_t i = 0; i < 3; ++i) {
        // A corner the projection could not place would put the whole drawing context in error.
        if (!std::isfinite(v[i].x) || !std::isfinite(v[i].y)) {
            return;
        }
    }
    std::vector<FramePoint> corners{{v[0].x, v[0].y}, {v[1].x, v[1].y}, {v[2].x, v[2].y}};
    if (!insideGuardBand(corners)) {
        // A corner just beside the eye projects millions of pixels away, past what the fill
        // can hold; only the part near the frame is handed on.
        corners = clipToGuardBand(corners);
    }
    if (corners.size() < 3) {
        return;
    }
    cairo_t* cr = frame_.cairo();
    cairo_move_to(cr, corners[0].x, corners[0].y);
    for (std::size_t i = 1; i < corners.size(); ++i) {
        cairo_line_to(cr, corners[i].x, corners[i].y);
    }
    cairo_close_path(cr);
    cairo_set_source_rgb(cr, ((*color >> 16) & 0xFF) / 255.0, ((*color >> 8) & 0xFF) / 255.0,
                         (*color & 0xFF) / 255.0);
    cairo_fill(cr);
}

} // namespace velmora
