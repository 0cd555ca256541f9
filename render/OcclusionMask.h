#pragma once

#include "render/Coverage.h"
#include "render/FrameSize.h"
#include "render/ScreenBox.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>

namespace velmora {

// One bit a frame pixel, set once something has been written there: a frame painted front to
// back keeps one for colour and one for depth (PaintMasks), writes only where they are not set,
// and passes over whatever would land only on set pixels.
class OcclusionMask {
  public:
    static constexpr int kWordsPerRow = (kFrameWidth + 63) / 64;

    void clear() {
        bits_.fill(0);
        fullWords_.fill(0);
    }
    // Whether every covered pixel is set.
    bool hides(const Coverage& covered) const;
    // Whether every pixel of the rect is set.
    bool hides(const PixelRect& rect) const;
    // Hands run(from, to) each run of columns of row y in [begin, end) not yet set, then sets
    // them all.
    template <typename Run> void claim(int y, int begin, int end, Run run);
    // Whether what may paint only inside the box is painted over, or paints nowhere.
    bool hides(const ScreenBox& box) const {
        return box.sight == ScreenBox::Sight::Nowhere ||
               (box.sight == ScreenBox::Sight::Inside && hides(box.rect));
    }

  private:
    // Whether columns [from, to) of row y are all set.
    bool full(int y, int from, int to) const;
    void set(int y, int from, int to);

    std::array<std::uint64_t, kWordsPerRow * kFrameHeight> bits_{};
    // Of each row, a bit for each word whose columns are all set, so that a wide test looks at
    // one number a row.
    std::array<std::uint16_t, kFrameHeight> fullWords_{};
    static_assert(kWordsPerRow <= 16);
};

// What a frame painted front to back has written so far. Each pixel keeps the colour of the
// first surface that covers it and the depth of the first that writes depth there: what painting
// back to front leaves, with every pixel written once.
struct PaintMasks {
    OcclusionMask painted;
    OcclusionMask depthWritten;

    void clear() {
        painted.clear();
        depthWritten.clear();
    }
};

// Called for every row of every test, so kept to a few operations.
inline bool OcclusionMask::full(int y, int from, int to) const {
    if (from >= to) {
        return true;
    }
    const std::uint64_t* row = &bits_[std::size_t(y) * kWordsPerRow];
    const int first = from >> 6, last = (to - 1) >> 6;
    const std::uint64_t fromBit = ~std::uint64_t{0} << (from & 63);
    const std::uint64_t toBit = ~std::uint64_t{0} >> (63 - ((to - 1) & 63));
    if (first == last) {
        const std::uint64_t wanted = fromBit & toBit;
        return (row[first] & wanted) == wanted;
    }
    // The words between the two ends are wanted whole.
    const unsigned between = ((1u << last) - 1) & ~((2u << first) - 1);
    return (row[first] & fromBit) == fromBit && (row[last] & toBit) == toBit &&
           (fullWords_[std::size_t(y)] & between) == between;
}

template <typename Run> void OcclusionMask::claim(int y, int begin, int end, Run run) {
    std::uint64_t* row = &bits_[std::size_t(y) * kWordsPerRow];
    int column = begin;
    while (column < end) {
        // Past the set columns, then along the unset ones, a word at a time.
        std::uint64_t* word = row + column / 64;
        const int bit = column % 64;
        const std::uint64_t unset = ~*word >> bit;
        if (unset == 0) {
            column += 64 - bit;
            continue;
        }
        column += std::countr_zero(unset);
        if (column >= end) {
            break;
        }
        int stop = column;
        while (stop < end) {
            const std::uint64_t set = row[stop / 64] >> (stop % 64);
            const int free = set == 0 ? 64 - stop % 64 : std::countr_zero(set);
            stop += free;
            if (set != 0) {
                break;
            }
        }
        stop = std::min(stop, end);
        run(column, stop);
        column = stop;
    }
    set(y, begin, end);
}

} // namespace velmora
