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
    // The bits of word w that lie inside the frame: all but those past the last word's columns.
    static constexpr std::uint64_t wholeWord(int w) {
        constexpr int kTail = kFrameWidth % 64;
        return kTail != 0 && w == kWordsPerRow - 1 ? (std::uint64_t{1} << kTail) - 1
                                                   : ~std::uint64_t{0};
    }
    // Whether columns [from, to) of row y are all set.
    bool full(int y, int from, int to) const;

    std::array<std::uint64_t, kWordsPerRow * kFrameHeight> bits_{};
    // Of each row, a bit for each word whose columns are all set, so that a wide test looks at
    // one number a row.
    std::array<std::uint16_t, kFrameHeight> fullWords_{};
    static_assert(kWordsPerRow <= 16);
};

// What a frame painted front to back has written so far. Each pixel keeps the colour of the
// first surface that covers it and the depth of the first that writes depth there: what painting
// back to front leaves, with every pixel written once. Until a surface that writes no depth (the
// floor) is painted, colour has gone exactly where depth has, and one mask serves both, so that
// a triangle claims its pixels once for the two.
class PaintMasks {
  public:
    void clear() {
        depthWritten_.clear();
        apart_ = false;
    }
    OcclusionMask& depthWritten() { return depthWritten_; }
    const OcclusionMask& depthWritten() const { return depthWritten_; }
    const OcclusionMask& painted() const { return apart_ ? painted_ : depthWritten_; }
    // Whether colour and depth have been painted on different pixels.
    bool apart() const { return apart_; }
    // For painting colour without depth: from now on the two masks differ.
    OcclusionMask& paintedApart() {
        if (!apart_) {
            painted_ = depthWritten_;
            apart_ = true;
        }
        return painted_;
    }

  private:
    OcclusionMask depthWritten_;
    OcclusionMask painted_;
    bool apart_ = false;
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

// One pass over the words of the span: each takes its bits at once, and its free bits are
// handed on in runs, a run that reaches the top of a word carried into the next.
template <typename Run> void OcclusionMask::claim(int y, int begin, int end, Run run) {
    if (begin >= end) {
        return;
    }
    std::uint64_t* row = &bits_[std::size_t(y) * kWordsPerRow];
    std::uint16_t& full = fullWords_[std::size_t(y)];
    const int first = begin >> 6, last = (end - 1) >> 6;
    int open = -1; // where a free run began that reached the end of the previous word
    for (int w = first; w <= last; ++w) {
        const int base = w * 64;
        std::uint64_t want = ~std::uint64_t{0};
        if (w == first) {
            want &= ~std::uint64_t{0} << (begin & 63);
        }
        if (w == last) {
            want &= ~std::uint64_t{0} >> (63 - ((end - 1) & 63));
        }
        std::uint64_t free = want & ~row[w];
        row[w] |= want;
        if (row[w] == wholeWord(w)) {
            full = std::uint16_t(full | (1u << w));
        }
        if (open >= 0 && (free & 1) == 0) {
            run(open, base);
            open = -1;
        }
        while (free != 0) {
            const int low = std::countr_zero(free);
            const int top = low + std::countr_zero(~(free >> low));
            const int start = open >= 0 && low == 0 ? open : base + low;
            open = -1;
            if (top == 64 && w < last) {
                open = start;
                break;
            }
            run(start, base + top);
            free = top == 64 ? 0 : free & (~std::uint64_t{0} << top);
        }
    }
}

} // namespace velmora
