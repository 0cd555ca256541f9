#include "render/OcclusionMask.h"

namespace velmora {

namespace {

// The bits of word w that lie inside the frame: all but those of the last word's columns past
// its width.
constexpr std::uint64_t wholeWord(int w) {
    constexpr int kTail = kFrameWidth % 64;
    return kTail != 0 && w == OcclusionMask::kWordsPerRow - 1 ? (std::uint64_t{1} << kTail) - 1
                                                              : ~std::uint64_t{0};
}

} // namespace

// Called for every row of every claim: the two end words take their masks, the words between
// are set whole.
void OcclusionMask::set(int y, int from, int to) {
    if (from >= to) {
        return;
    }
    std::uint64_t* row = &bits_[std::size_t(y) * kWordsPerRow];
    std::uint16_t& full = fullWords_[std::size_t(y)];
    const int first = from >> 6, last = (to - 1) >> 6;
    const std::uint64_t fromBits = ~std::uint64_t{0} << (from & 63);
    const std::uint64_t toBits = ~std::uint64_t{0} >> (63 - ((to - 1) & 63));
    const auto mark = [&](int w, std::uint64_t bits) {
        row[w] |= bits;
        if (row[w] == wholeWord(w)) {
            full = std::uint16_t(full | (1u << w));
        }
    };
    if (first == last) {
        mark(first, fromBits & toBits);
        return;
    }
    mark(first, fromBits);
    for (int w = first + 1; w < last; ++w) {
        row[w] = ~std::uint64_t{0};
    }
    full = std::uint16_t(full | (((1u << last) - 1) & ~((2u << first) - 1)));
    mark(last, toBits);
}

bool OcclusionMask::hides(const Coverage& covered) const {
    for (int y = covered.top; y < covered.bottom; ++y) {
        if (!full(y, covered.begin[y], covered.end[y])) {
            return false;
        }
    }
    return true;
}

bool OcclusionMask::hides(const PixelRect& rect) const {
    for (int y = rect.top; y < rect.bottom; ++y) {
        if (!full(y, rect.left, rect.right)) {
            return false;
        }
    }
    return true;
}

} // namespace velmora
