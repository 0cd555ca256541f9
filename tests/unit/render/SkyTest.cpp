#include "render/Sky.h"
#include "RenderTestSupport.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

using rendertest::bitmapOf;
using rendertest::firstDifference;
using rendertest::tagged;

TEST(Sky, FrameAngleIsTruncatedAfterRoundingTheRadiansToFloat) {
    const struct {
        float heading;
        int degrees;
    } cases[] = {{360, 0}, {0, 360}, {260, 99}, {2, 357}, {180, 180}};
    for (const auto& c : cases) {
        EXPECT_EQ(Sky::degreesForHeading(c.heading), c.degrees) << "heading " << c.heading;
    }
}

TEST(Sky, ColumnsShiftElevenPixelsPerDegreeAndWrap) {
    const Sky sky(bitmapOf(Sky::kImageWidth, Sky::kImageHeight, tagged));
    // degrees, and the sky column frame column 0 shows
    const struct {
        int degrees;
        int firstColumn;
    } cases[] = {{0, 0}, {360, 40}, {99, 1000 - 89}, {1, 1000 - 11}, {90, 10}, {180, 20}};
    for (const auto& c : cases) {
        ColorBuffer frame;
        frame.fillRect(0, 0, kFrameWidth, kFrameHeight, 0xABCDEF);
        sky.draw(frame, c.degrees);
        EXPECT_EQ(firstDifference(frame, 0, 0, kFrameWidth, Sky::kImageHeight,
                                  [&](int x, int y) {
                                      return tagged((x + c.firstColumn) % Sky::kImageWidth, y);
                                  }),
                  "")
            << "degrees " << c.degrees;
        // The lower half is the ground's; the sky leaves it alone.
        EXPECT_EQ(firstDifference(frame, 0, Sky::kImageHeight, kFrameWidth, kFrameHeight,
                                  [](int, int) { return 0xABCDEF; }),
                  "");
    }
}

} // namespace
} // namespace velmora
