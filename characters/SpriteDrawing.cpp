#include "characters/SpriteDrawing.h"

#include "geometry/Truncate.h"

#include <algorithm>
#include <array>

namespace velmora {

namespace {

// The rows or columns of a sprite span that fall inside [0, limit): from the first visible
// index to one past the last, computed without walking the ones outside.
struct VisibleSpan {
    long long first;
    long long end;
};

VisibleSpan visible(long long origin, long long length, long long limit) {
    return {std::max(0LL, -origin), std::min(length, limit - origin)};
}

} // namespace

void drawSpriteScaled(ColorBuffer& frame, DepthBuffer& depthBuffer, ScreenPosition topLeft,
                      ScreenPosition bottomRight, float depth, const GraphicsObject* graphic) {
    const Sprite* sprite = graphic != nullptr ? graphic->currentSprite() : nullptr;
    if (sprite == nullptr || sprite->width() <= 0 || sprite->height() <= 0) {
        return;
    }
    const float texW = float(sprite->width());
    const float texH = float(sprite->height());
    const long long dw = truncateToInt(bottomRight.x - topLeft.x);
    const long long dh = truncateToInt(bottomRight.y - topLeft.y);
    const long long x0 = truncateToInt(topLeft.x);
    const long long y0 = truncateToInt(topLeft.y);
    if (dh <= 0 || dw <= 0) {
        return;
    }
    const auto written = static_cast<std::uint16_t>(truncateToInt(depth) & 0xFFFF);
    const VisibleSpan rows = visible(y0, dh, kFrameHeight);
    const VisibleSpan columns = visible(x0, dw, kFrameWidth);
    if (rows.first >= rows.end || columns.first >= columns.end) {
        return;
    }
    // The sprite column of each frame column, the same for every row: worked out once.
    std::array<int, kFrameWidth> sourceColumns;
    for (long long c = columns.first; c < columns.end; ++c) {
        sourceColumns[std::size_t(c - columns.first)] =
            std::min(truncateToInt(float(c) / float(dw) * texW), sprite->width() - 1);
    }
    frame.flush();
    for (long long r = rows.first; r < rows.end; ++r) {
        const int y = int(y0 + r);
        const int sy = truncateToInt(float(r) / float(dh) * texH);
        std::uint32_t* row = frame.row(y);
        const std::uint32_t* source = sprite->row(std::min(sy, sprite->height() - 1));
        for (long long c = columns.first; c < columns.end; ++c) {
            const int x = int(x0 + c);
            std::uint16_t& entry = depthBuffer.at(x, y);
            if (!(float(entry) > depth || entry == kEmptyDepth)) {
                continue;
            }
            const std::uint32_t color = source[sourceColumns[std::size_t(c - columns.first)]];
            if (color == kTransparent) {
                continue;
            }
            // Back from the figure's order (red low) to the frame's 0x00RRGGBB.
            row[x] = (color & 0xFF) << 16 | (color & 0xFF00) | (color >> 16 & 0xFF);
            entry = written;
        }
    }
    frame.markDirty();
}

} // namespace velmora
