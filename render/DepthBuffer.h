#pragma once

#include "render/FrameSize.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace velmora {

// One 16-bit depth per frame pixel, row by row like the colour frame: pixel (x, y) is entry
// y * kFrameWidth + x, so that a surface's spans, written along rows, are contiguous. Entries hold
// the low 16 bits of the truncated camera-space depth of the surface written last; kEmptyDepth
// where none was.
class DepthBuffer {
  public:
    static constexpr std::size_t kEntries = std::size_t(kFrameWidth) * kFrameHeight;

    DepthBuffer() : entries_(kEntries, kEmptyDepth) {}

    // Every entry becomes kEmptyDepth.
    void clear();

    static constexpr std::size_t indexOf(int x, int y) {
        return std::size_t(y) * kFrameWidth + std::size_t(x);
    }
    std::uint16_t at(int x, int y) const { return entries_[indexOf(x, y)]; }
    std::uint16_t& at(int x, int y) { return entries_[indexOf(x, y)]; }
    const std::uint16_t* data() const { return entries_.data(); }
    std::uint16_t* data() { return entries_.data(); }

  private:
    std::vector<std::uint16_t> entries_;
};

} // namespace velmora
