#include "characters/Sprite.h"

#include <algorithm>

namespace velmora {

namespace {

// 0x00RRGGBB to the figure's own order, red in the low byte.
std::uint32_t toColorRef(std::uint32_t rgb) {
    return (rgb >> 16 & 0xFF) | (rgb & 0xFF00) | (rgb & 0xFF) << 16;
}

} // namespace

Sprite::Sprite(const Bitmap& bitmap, int width, int height)
    : width_(std::max(width, 0)), height_(std::max(height, 0)),
      pixels_(std::size_t(width_) * std::size_t(height_), kTransparent) {
    const int rows = std::min(height_, bitmap.height());
    const int columns = std::min(width_, bitmap.width());
    for (int y = 0; y < rows; ++y) {
        for (int x = 0; x < columns; ++x) {
            pixels_[std::size_t(y) * width_ + x] = toColorRef(bitmap.pixel(x, y));
        }
    }
}

std::uint32_t Sprite::pixelAt(int x, int y) const {
    return pixels_[std::size_t(y) * width_ + x];
}

void loadSpriteFrames(const platform::Host& host, int firstBitmap, FrameSet& target, int count,
                      int width, int height) {
    for (int i = 0; i < count; ++i) {
        target.frames.emplace_back(Bitmap::load(host, firstBitmap + i), width, height);
        target.currentFrame = 0;
    }
}

} // namespace velmora
