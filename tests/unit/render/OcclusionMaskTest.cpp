#include "render/OcclusionMask.h"

#include <gtest/gtest.h>

#include <random>
#include <utility>
#include <vector>

namespace velmora {
namespace {

// A claim hands on exactly the columns of its span not yet set, as runs in order that neither
// overlap nor touch, and a test of a span says whether all of it is set: checked against a
// plain array of flags over many random spans, across word boundaries and the frame's edge.
TEST(OcclusionMask, ClaimsHandOnTheFreeColumnsOnceAndTestsAgreeWithAPlainArray) {
    std::mt19937 random(20261208);
    const int edges[] = {0, 1, 63, 64, 65, 127, 128, 500, 959, 960, 961, 999, 1000};
    const auto column = [&](int high) {
        return random() % 3 == 0 ? edges[random() % std::size(edges)] % (high + 1)
                                 : int(random() % unsigned(high + 1));
    };
    OcclusionMask mask;
    for (int round = 0; round < 4; ++round) {
        mask.clear();
        std::vector<std::vector<bool>> set(3, std::vector<bool>(kFrameWidth, false));
        for (int claim = 0; claim < 400; ++claim) {
            const int y = int(random() % 3);
            int begin = column(kFrameWidth), end = column(kFrameWidth);
            if (begin > end) {
                std::swap(begin, end);
            }
            const PixelRect rect{begin, y, end, y + 1};
            bool allSet = true;
            for (int x = begin; x < end; ++x) {
                allSet = allSet && set[std::size_t(y)][std::size_t(x)];
            }
            EXPECT_EQ(mask.hides(rect), allSet) << begin << ".." << end << " row " << y;

            std::vector<std::pair<int, int>> runs;
            mask.claim(y, begin, end, [&](int from, int to) { runs.emplace_back(from, to); });
            std::vector<std::pair<int, int>> expected;
            for (int x = begin; x < end; ++x) {
                if (set[std::size_t(y)][std::size_t(x)]) {
                    continue;
                }
                if (!expected.empty() && expected.back().second == x) {
                    ++expected.back().second;
                } else {
                    expected.emplace_back(x, x + 1);
                }
                set[std::size_t(y)][std::size_t(x)] = true;
            }
            ASSERT_EQ(runs, expected) << "claim " << begin << ".." << end << " row " << y;
        }
        // Three whole rows set: a rect over them is hidden, one reaching a fourth is not.
        for (int y = 0; y < 3; ++y) {
            mask.claim(y, 0, kFrameWidth, [](int, int) {});
        }
        EXPECT_TRUE(mask.hides(PixelRect{0, 0, kFrameWidth, 3}));
        EXPECT_FALSE(mask.hides(PixelRect{0, 0, kFrameWidth, 4}));
    }
}

} // namespace
} // namespace velmora
