#pragma once

#include "render/Coverage.h"
#include "render/FrameSize.h"
#include "render/ScreenBox.h"

#include <array>
#include <cstdint>

namespace velmora {

// One bit a frame pixel, set once a surface that is painted later than everything still to
// come covers it with colour and depth. The frame's walk goes front to back, so whatever would
// paint only set pixels would be painted over: it is passed over, and the picture stays the
// same.
class OcclusionMask {
  public:
    static constexpr int kWordsPerRow = (kFrameWidth + 63) / 64;

    void clear() { bits_.fill(0); }
    // Sets the covered pixels.
    void cover(const Coverage& covered);
    // Whether every covered pixel is set.
    bool hides(const Coverage& covered) const;
    // Whether every pixel of the rect is set.
    bool hides(const PixelRect& rect) const;
    // Whether what may paint only inside the box is painted over, or paints nowhere.
    bool hides(const ScreenBox& box) const {
        return box.sight == ScreenBox::Sight::Nowhere ||
               (box.sight == ScreenBox::Sight::Inside && hides(box.rect));
    }

  private:
    // Whether columns [from, to) of row y are all set.
    bool full(int y, int from, int to) const;

    std::array<std::uint64_t, kWordsPerRow * kFrameHeight> bits_{};
};

} // namespace velmora
