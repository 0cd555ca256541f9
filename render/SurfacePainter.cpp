#include "render/SurfacePainter.h"

#include "platform/FatalError.h"
#include "render/Projection.h"
#include "render/SurfaceClipping.h"

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
                               const ColorTools& colors, PaintMasks* masks)
    : frame_(frame), rasterizer_(rasterizer), colors_(colors), masks_(masks) {}

void SurfacePainter::drawSurface(Surface& surface, const Coverage* known) {
    if (surface.viewVertices.size() < 3) {
        return;
    }
    const int inFront = cornersInFront(surface);
    if (inFront == 0) {
        return;
    }
    if (inFront == 3) {
        drawInFront(surface, known);
        return;
    }
    // The clip moves every corner behind the eye onto depth 1, so both parts are wholly in front.
    // Front to back, the part painted last comes first.
    Surface second = surface;
    const bool two = clipSurfaceAtEye(surface, second);
    if (two && masks_ != nullptr) {
        drawInFront(second);
    }
    drawInFront(surface);
    if (two && masks_ == nullptr) {
        drawInFront(second);
    }
}

void SurfacePainter::drawInFront(Surface& surface, const Coverage* known) {
    Vertex projected[3];
    for (std::size_t i = 0; i < 3; ++i) {
        Vertex& corner = surface.viewVertices[i];
        const ScreenPosition position = projectPoint(corner.x, corner.y, corner.z);
        corner.x = position.x;
        corner.y = position.y;
        projected[i] = {position.x, position.y, corner.z};
    }
    const std::uint32_t color = colorOf(surface);
    if (known == nullptr) {
        coverTriangle({projected[0].x, projected[0].y}, {projected[1].x, projected[1].y},
                      {projected[2].x, projected[2].y}, covered_);
    }
    const Coverage& covered = known != nullptr ? *known : covered_;
    if (masks_ == nullptr) {
        if (surface.writesDepth != 0) {
            rasterizer_.rasterizeDepthTriangle(projected[0], projected[1], projected[2], covered);
        }
        frame_.fill(covered, color);
        return;
    }
    if (surface.writesDepth != 0) {
        // While colour has gone only where depth has, one claim paints both; collinear corners
        // write no depth, and their colour parts the masks.
        const DepthRasterizer::SpanColor span{frame_, color};
        const bool together = !masks_->apart();
        if (rasterizer_.rasterizeDepthTriangle(projected[0], projected[1], projected[2], covered,
                                               &masks_->depthWritten(),
                                               together ? &span : nullptr) &&
            together) {
            return;
        }
    }
    frame_.fill(covered, color, masks_->paintedApart());
}

std::uint32_t SurfacePainter::colorOf(const Surface& surface) {
    // Surfaces come in runs of one colour (a building's walls) or two (the floor's checks):
    // the last two names found are asked first.
    for (const ColorTools::Brush* brush : recent_) {
        if (brush != nullptr && brush->first == surface.colorName) {
            return brush->second;
        }
    }
    const ColorTools::Brush* brush = colors_.find(surface.colorName);
    if (brush == nullptr) {
        throw platform::FatalError("ERROR: brush " + surface.colorName + " is null!\n", "Error",
                                   platform::MessageIcon::Error);
    }
    recent_[1] = recent_[0];
    recent_[0] = brush;
    return brush->second;
}

} // namespace velmora
