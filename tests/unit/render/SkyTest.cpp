#include "render/Sky.h"
#include "RenderTestSupport.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

using rendertest::tagged;

TEST(Sky, TurnsElevenColumnsPerWholeDegreeOfTheFrameAngleAndWraps) {
    const Sky sky(rendertest::bitmapOf(Sky::kImageWidth, Sky::kImageHeight, tagged));
    // heading, and the sky column frame column 0 shows; the frame angle, 360 - heading in whole
    // degrees, is often one less (heading 260 gives 99 degrees).
    const struct {
        float heading;
        int firstColumn;
    } cases[] = {{360, 0}, {0, 40}, {260, 1000 - 89}, {2, 73}, {180, 20}, {90, 41}, {359, 989}};
    ColorBuffer frame;
    for (const auto& c : cases) {
        frame.fillRect(0, 0, kFrameWidth, kFrameHeight, 0xABCDEF);
        OcclusionMask nothingPainted;
        sky.draw(frame, Sky::degreesForHeading(c.heading), nothingPainted);
        // The rows below the horizon are the ground's; the sky leaves them alone.
        const auto expected = [&c](int x, int y) {
            return y < kHorizonRow ? tagged((x + c.firstColumn) % kFrameWidth, y) : 0xABCDEF;
        };
        EXPECT_EQ(rendertest::frameDifference(frame, expected), "") << "heading " << c.heading;
    }
}

} // namespace
} // namespace velmora
