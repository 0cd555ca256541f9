#include "render/OcclusionMask.h"

namespace velmora {

namespace {

// The bits of columns [from, to) within the word that starts at column `first`.
std::uint64_t bitsOf(int first, int from, int to) {
    const int low = from > first ? from - first : 0;
    const int high = to < first + 64 ? to - first : 64;
    const std::uint64_t upTo = high == 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << high) - 1;
    return upTo & ~((std::uint64_t{1} << low) - 1);
}

} // namespace

void OcclusionMask::set(int y, int from, int to) {
    std::uint64_t* row = &bits_[std::size_t(y) * kWordsPerRow];
    for (int word = from / 64; from < to && word <= (to - 1) / 64; ++word) {
        row[word] |= bitsOf(word * 64, from, to);
        if (row[word] == bitsOf(word * 64, 0, kFrameWidth)) {
            fullWords_[std::size_t(y)] |= std::uint16_t(1u << word);
        }
    }
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
