#include "FakeHost.h"
#include "RenderTestSupport.h"
#include "characters/SpriteDrawing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace velmora {
namespace {

using rendertest::bitmapOf;

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
    // Ticks per frame, and the frame after each tick.
    const std::pair<int, std::vector<int>> cases[] = {
        {1, {1, 2, 0, 1}}, {2, {0, 1, 1, 2, 2, 0}}, {-1, {0, 0, 0}}};
    for (const auto& [ticksPerFrame, frames] : cases) {
        GraphicsObject2D graphic = graphicOf(bitmapOf(1, 1, texel), ticksPerFrame, 3);
        for (std::size_t tick = 0; tick < frames.size(); ++tick) {
            graphic.advanceFrame();
            EXPECT_EQ(graphic.frameSet().currentFrame, frames[tick])
                << ticksPerFrame << ", tick " << tick;
        }
    }
}

TEST(LoadSpriteFrames, EveryFrameHasTheGivenSizeAndWhatTheBitmapLacksIsTransparent) {
    test::FakeHost host;
    host.putResource(platform::ResourceType::Bitmap, 30, rendertest::bmpOf(2, 2, texel));
    host.putResource(platform::ResourceType::Bitmap, 32, rendertest::bmpOf(5, 4, texel));
    FrameSet set;
    loadSpriteFrames(host, 30, set, 0, 2, 3);
    EXPECT_EQ(set.currentFrame, -1);
    loadSpriteFrames(host, 30, set, 3, 2, 3); // 31 is missing
    ASSERT_EQ(set.frames.size(), 3u);
    EXPECT_EQ(set.currentFrame, 0);
    const int servedSize[] = {2, 0, 5};
    for (int frame = 0; frame < 3; ++frame) {
        const Sprite& sprite = set.frames[std::size_t(frame)];
        ASSERT_EQ(std::pair(sprite.width(), sprite.height()), std::pair(2, 3));
        for (int y = 0; y < 3; ++y) {
            for (int x = 0; x < 2; ++x) {
                // 0x00RRGGBB in the bitmap, red in the low byte in the frame.
                const std::uint32_t rgb = texel(x, y);
                const bool served = x < servedSize[frame] && y < servedSize[frame];
                EXPECT_EQ(sprite.pixelAt(x, y),
                          served ? rgb >> 16 | (rgb & 0xFF00) | (rgb & 0xFF) << 16 : kTransparent)
                    << frame << ": " << x << ", " << y;
            }
        }
    }
}

constexpr std::uint32_t kScene = 0x123456;

class DrawSprite : public ::testing::Test {
  protected:
    DrawSprite() { frame.fillRect(0, 0, kFrameWidth, kFrameHeight, kScene); }
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
            const bool drawn = inside && !(sx[x - 10] == 1 && sy[y - 20] == 1);
            EXPECT_EQ(frame.pixel(x, y), drawn ? texel(sx[x - 10], sy[y - 20]) : kScene)
                << x << ", " << y;
            EXPECT_EQ(depth.at(x, y), drawn ? 40 : kEmptyDepth) << x << ", " << y;
        }
    }
}

TEST_F(DrawSprite, DrawnWhereTheDepthIsGreaterOrEmptyAndThenTakesTheTruncatedDepth) {
    // The entry before, the sprite's depth, whether it is drawn, and the entry after; the depth
    // written wraps at 65536.
    const std::uint16_t none = kEmptyDepth;
    const std::tuple<std::uint16_t, float, bool, std::uint16_t> cases[] = {
        {none, 50.7f, true, 50}, {100, 50.7f, true, 50}, {51, 50.7f, true, 50},
        {50, 50.7f, false, 50},  {50, 50.0f, false, 50}, {50, 49.5f, true, 49},
        {49, 49.5f, false, 49},  {0, 10.0f, false, 0},   {none, 1e5f, true, 34464}};
    const GraphicsObject2D graphic = graphicOf(bitmapOf(1, 1, texel));
    int x = 100;
    for (const auto& [entry, z, drawn, after] : cases) {
        depth.at(x, 50) = entry;
        drawSpriteScaled(frame, depth, {float(x), 50}, {float(x + 1), 51}, z, &graphic);
        EXPECT_EQ(frame.pixel(x, 50), drawn ? texel(0, 0) : kScene) << entry << " " << z;
        EXPECT_EQ(depth.at(x, 50), after) << entry << " " << z;
        ++x;
    }
}

TEST_F(DrawSprite, OnlyTheVisiblePartIsDrawnWithTheWholeRectanglesTexelsAndEmptyOnesDrawNothing) {
    const GraphicsObject2D graphic = graphicOf(bitmapOf(4, 4, texel));
    // Empty or inverted rectangles, and no graphic: nothing.
    const float corners[][4] = {
        {10, 10, 20, 10.9f}, {10, 20, 20, 10}, {10, 10, 10.9f, 20}, {20, 10, 10, 20}};
    for (const auto& [left, top, right, bottom] : corners) {
        drawSpriteScaled(frame, depth, {left, top}, {right, bottom}, 5, &graphic);
    }
    drawSpriteScaled(frame, depth, {10, 10}, {20, 20}, 5, nullptr);
    EXPECT_TRUE(std::all_of(depth.data(), depth.data() + DepthBuffer::kEntries,
                            [](std::uint16_t entry) { return entry == kEmptyDepth; }));
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

} // namespace
} // namespace velmora
