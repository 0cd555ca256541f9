#include "FakeHost.h"
#include "RenderTestSupport.h"
#include "characters/SpriteDrawing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace velmora {
namespace {

using rendertest::bitmapOf;
using rendertest::bmpOf;

// Texel (x, y) of the test sprites: never white, and tells where it came from.
std::uint32_t texel(int x, int y) {
    return 0x100000 * std::uint32_t(x + 1) + 0x1000 * std::uint32_t(y + 1) + 0x42;
}

GraphicsObject2D graphicOf(const Bitmap& bitmap, int ticksPerFrame = -1, int frames = 1) {
    FrameSet set;
    set.frames.assign(std::size_t(frames), Sprite(bitmap, bitmap.width(), bitmap.height()));
    set.currentFrame = 0;
    set.ticksPerFrame = ticksPerFrame;
    GraphicsObject2D graphic;
    graphic.setFrames(0, set);
    return graphic;
}

TEST(GraphicsObject2D, FramesAdvanceEveryTicksPerFrameTicks) {
    const struct {
        int ticksPerFrame;
        std::vector<int> frames; // after each tick
    } cases[] = {{1, {1, 2, 0, 1}}, {2, {0, 1, 1, 2, 2, 0}}, {-1, {0, 0, 0}}};
    for (const auto& c : cases) {
        GraphicsObject2D graphic = graphicOf(bitmapOf(1, 1, texel), c.ticksPerFrame, 3);
        for (std::size_t tick = 0; tick < c.frames.size(); ++tick) {
            graphic.advanceFrame();
            EXPECT_EQ(graphic.frameSet().currentFrame, c.frames[tick])
                << c.ticksPerFrame << " ticks per frame, tick " << tick + 1;
        }
    }
}

TEST(LoadSpriteFrames, EveryFrameHasTheGivenSizeAndWhatTheBitmapLacksIsTransparent) {
    test::FakeHost host;
    host.putResource(platform::ResourceType::Bitmap, 30, bmpOf(2, 2, texel));
    host.putResource(platform::ResourceType::Bitmap, 32, bmpOf(5, 4, texel));
    FrameSet set;
    loadSpriteFrames(host, 30, set, 0, 3, 3);
    EXPECT_TRUE(set.frames.empty());
    EXPECT_EQ(set.currentFrame, -1);

    loadSpriteFrames(host, 30, set, 3, 3, 3); // 31 is missing
    ASSERT_EQ(set.frames.size(), 3u);
    EXPECT_EQ(set.currentFrame, 0);
    const int servedSize[] = {2, 0, 5};
    for (int frame = 0; frame < 3; ++frame) {
        const Sprite& sprite = set.frames[std::size_t(frame)];
        ASSERT_EQ(sprite.width(), 3);
        ASSERT_EQ(sprite.height(), 3);
        for (int y = 0; y < 3; ++y) {
            for (int x = 0; x < 3; ++x) {
                const bool served = x < servedSize[frame] && y < servedSize[frame];
                // 0x00RRGGBB in the bitmap, red in the low byte in the frame.
                const std::uint32_t rgb = texel(x, y);
                const std::uint32_t expected =
                    served ? (rgb >> 16) | (rgb & 0xFF00) | (rgb & 0xFF) << 16 : kTransparent;
                EXPECT_EQ(sprite.pixelAt(x, y), expected) << frame << ": " << x << ", " << y;
            }
        }
    }
}

constexpr std::uint32_t kScene = 0x123456;

class DrawSprite : public ::testing::Test {
  protected:
    DrawSprite() { frame.fillRect(0, 0, kFrameWidth, kFrameHeight, kScene); }
    bool depthUntouched() const {
        return std::all_of(depth.data(), depth.data() + DepthBuffer::kEntries,
                           [](std::uint16_t entry) { return entry == kEmptyDepth; });
    }
    ColorBuffer frame;
    DepthBuffer depth;
};

TEST_F(DrawSprite, NearestTexelByTruncationWhiteLeavesTheSceneAlone) {
    // 3 x 2 texels with a white one at (1, 1) over 5 x 3 pixels: the corners' difference is
    // truncated (5.9 and 3.2), not the corners themselves.
    const GraphicsObject2D graphic = graphicOf(
        bitmapOf(3, 2, [](int x, int y) { return x == 1 && y == 1 ? kTransparent : texel(x, y); }));
    drawSpriteScaled(frame, depth, {10.6f, 20.9f}, {16.5f, 24.1f}, 40.75f, &graphic);
    const int sx[] = {0, 0, 1, 1, 2}; // trunc(c / 5 * 3)
    const int sy[] = {0, 0, 1};       // trunc(r / 3 * 2)
    for (int y = 18; y < 26; ++y) {
        for (int x = 8; x < 18; ++x) {
            const bool inside = x >= 10 && x < 15 && y >= 20 && y < 23;
            const bool white = inside && sx[x - 10] == 1 && sy[y - 20] == 1;
            const bool drawn = inside && !white;
            EXPECT_EQ(frame.pixel(x, y), drawn ? texel(sx[x - 10], sy[y - 20]) : kScene)
                << x << ", " << y;
            EXPECT_EQ(depth.at(x, y), drawn ? 40 : kEmptyDepth) << x << ", " << y;
        }
    }
}

TEST_F(DrawSprite, DrawnWhereTheDepthIsGreaterOrEmptyAndThenTakesTheTruncatedDepth) {
    const struct {
        std::uint16_t entry;
        float z;
        bool drawn;
        std::uint16_t after;
    } cases[] = {{kEmptyDepth, 50.7f, true, 50}, {100, 50.7f, true, 50},
                 {51, 50.7f, true, 50},          {50, 50.7f, false, 50},
                 {50, 49.5f, true, 49},          {49, 49.5f, false, 49},
                 {0, 10.0f, false, 0},           {kEmptyDepth, 70000.0f, true, 70000 - 65536}};
    const GraphicsObject2D graphic = graphicOf(bitmapOf(1, 1, texel));
    int x = 100;
    for (const auto& c : cases) {
        depth.at(x, 50) = c.entry;
        drawSpriteScaled(frame, depth, {float(x), 50}, {float(x + 1), 51}, c.z, &graphic);
        EXPECT_EQ(frame.pixel(x, 50), c.drawn ? texel(0, 0) : kScene) << c.entry << " " << c.z;
        EXPECT_EQ(depth.at(x, 50), c.after) << c.entry << " " << c.z;
        ++x;
    }
}

TEST_F(DrawSprite, PartlyOffTheFrameOnlyTheVisiblePartIsDrawnWithTheWholeRectanglesTexels) {
    const GraphicsObject2D graphic = graphicOf(bitmapOf(4, 4, texel));
    // 8 x 8 pixels from (-3, -5): columns 3 to 7 and rows 5 to 7 are on the frame.
    drawSpriteScaled(frame, depth, {-3, -5}, {5, 3}, 7, &graphic);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 6; ++x) {
            const bool drawn = x < 5 && y < 3;
            EXPECT_EQ(frame.pixel(x, y), drawn ? texel((x + 3) / 2, (y + 5) / 2) : kScene)
                << x << ", " << y;
        }
    }
    // Over the right and bottom edges: only the top-left 2 x 2 of the rectangle.
    drawSpriteScaled(frame, depth, {998, 398}, {1006, 406}, 7, &graphic);
    EXPECT_EQ(frame.pixel(999, 399), texel(0, 0));
    EXPECT_EQ(frame.pixel(997, 399), kScene);
    EXPECT_EQ(depth.at(998, 398), 7);
}

TEST_F(DrawSprite, EmptyOrInvertedRectanglesAndAbsentGraphicsDrawNothing) {
    const GraphicsObject2D graphic = graphicOf(bitmapOf(2, 2, texel));
    const struct {
        ScreenPosition topLeft, bottomRight;
        const GraphicsObject* graphic;
    } cases[] = {{{10, 10}, {20, 10.9f}, &graphic},
                 {{10, 20}, {20, 10}, &graphic},
                 {{10, 10}, {10.9f, 20}, &graphic},
                 {{20, 10}, {10, 20}, &graphic},
                 {{10, 10}, {20, 20}, nullptr}};
    for (const auto& c : cases) {
        drawSpriteScaled(frame, depth, c.topLeft, c.bottomRight, 5, c.graphic);
    }
    EXPECT_TRUE(depthUntouched());
    EXPECT_EQ(frame.pixel(15, 15), kScene);
}

} // namespace
} // namespace velmora
