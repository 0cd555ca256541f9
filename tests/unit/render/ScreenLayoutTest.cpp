#include "render/ScreenLayout.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(ScreenLayout, FrameAndPanelAreCentredWithTruncatingDivision) {
    const ScreenPoint origin = frameOriginFor(1920, 1080);
    EXPECT_EQ(origin, (ScreenPoint{460, 156}));
    EXPECT_EQ(bottomPanelOriginFor(1920, origin), (ScreenPoint{543, 576}));
    // Small screens give negative origins, and the division truncates toward zero.
    EXPECT_EQ(frameOriginFor(801, 601), (ScreenPoint{-100, -83}));
}

} // namespace
} // namespace velmora
