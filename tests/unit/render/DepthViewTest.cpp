#include "render/DepthView.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(DepthView, DepthBecomesAGreyLevelThatWrapsRoundAfterWhite) {
    const struct {
        std::uint16_t depth;
        int level;
    } cases[] = {{kEmptyDepth, 163}, {0, 0},    {1000, 127}, {2000, 255},
                 {2007, 255},        {2008, 0}, {3000, 126}};
    for (const auto& c : cases) {
        EXPECT_EQ(depthViewLevel(c.depth), c.level) << "depth " << c.depth;
    }
}

TEST(DepthView, EveryPixelShowsItsOwnEntry) {
    DepthBuffer depth;
    depth.at(3, 7) = 2007;
    depth.at(7, 3) = 1000;
    ColorBuffer frame;
    showDepthView(frame, depth);
    EXPECT_EQ(frame.pixel(3, 7), 0xFFFFFFu);
    EXPECT_EQ(frame.pixel(7, 3), 0x7F7F7Fu);
    // Everything else was never written: a uniform grey 163.
    int others = 0;
    for (int y = 0; y < kFrameHeight; ++y) {
        for (int x = 0; x < kFrameWidth; ++x) {
            others += frame.pixel(x, y) == 0xA3A3A3u ? 1 : 0;
        }
    }
    EXPECT_EQ(others, kFrameWidth * kFrameHeight - 2);
}

} // namespace
} // namespace velmora
