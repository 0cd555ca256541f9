#include "render/DepthView.h"
#include "RenderTestSupport.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(DepthView, EachPixelShowsItsEntryAsAGreyThatWrapsRoundAfterWhite) {
    // depth, grey level: 0 black, 2000 white, wrapping every 256 levels
    const std::pair<std::uint16_t, std::uint32_t> cases[] = {{0, 0},      {1000, 127}, {2000, 255},
                                                             {2007, 255}, {2008, 0},   {3000, 126}};
    DepthBuffer depth;
    depth.at(kFrameWidth - 1, kFrameHeight - 1) = 0; // the clear empties it again
    depth.clear();
    for (int i = 0; i < 6; ++i) {
        depth.at(7 * i, i) = cases[i].first;
    }
    ColorBuffer frame;
    showDepthView(frame, depth);
    // An empty entry is grey 163.
    EXPECT_EQ(rendertest::frameDifference(frame,
                                          [&](int x, int y) {
                                              return (x == 7 * y && y < 6 ? cases[y].second : 163) *
                                                     0x010101;
                                          }),
              "");
}

} // namespace
} // namespace velmora
