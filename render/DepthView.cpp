#include "render/DepthView.h"

#include "geometry/Truncate.h"

namespace velmora {

std::uint8_t depthViewLevel(std::uint16_t entry) {
    return static_cast<std::uint8_t>(truncateToInt(entry * 0.0005 * 255.0) & 0xFF);
}

void showDepthView(ColorBuffer& frame, const DepthBuffer& depth) {
    frame.flush();
    for (int x = 0; x < kFrameWidth; ++x) {
        for (int y = 0; y < kFrameHeight; ++y) {
            const std::uint32_t g = depthViewLevel(depth.at(x, y));
            frame.row(y)[x] = g << 16 | g << 8 | g;
        }
    }
    frame.markDirty();
}

} // namespace velmora
