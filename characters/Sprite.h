#pragma once

#include "render/Bitmap.h"

#include <cstdint>
#include <vector>

namespace velmora {

// The transparent colour of every sprite: pure white.
inline constexpr std::uint32_t kTransparent = 0x00FFFFFF;

// One frame of a figure: its pixels decoded once at load time, so drawing reads plain memory.
// A frame always holds width x height pixels; what its bitmap could not supply is transparent.
class Sprite {
  public:
    Sprite() = default;
    Sprite(const Bitmap& bitmap, int width, int height);
    virtual ~Sprite() = default;

    int width() const { return width_; }
    int height() const { return height_; }
    // The colour at (x, y) as red in bits 0-7, green 8-15, blue 16-23; x and y must lie inside.
    std::uint32_t pixelAt(int x, int y) const;
    // The colours of row y, as pixelAt gives them; y must lie inside.
    const std::uint32_t* row(int y) const { return pixels_.data() + std::size_t(y) * width_; }

  private:
    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint32_t> pixels_; // rows top first, red in the low byte
};

// The frames of one figure and where its animation stands.
struct FrameSet {
    std::vector<Sprite> frames;
    std::int32_t currentFrame = -1;
    std::int32_t ticksPerFrame = -1; // -1: no animation
    std::int32_t tickCounter = 0;
};

// Appends one frame per bitmap resource first, first + 1, ... (count of them), each width x
// height, and makes the first frame current. A missing bitmap gives an invisible frame.
void loadSpriteFrames(const platform::Host& host, int firstBitmap, FrameSet& target, int count,
                      int width, int height);

} // namespace velmora
