#include "render/SurfacePainter.h"
#include "platform/FatalError.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>

namespace velmora {
namespace {

constexpr std::uint32_t kBackground = 0x000000;
constexpr std::uint32_t kRed = 0xFF0000;

// Camera-space corners; at depth 100 a unit is 5 pixels.
Surface triangle(const std::string& color, Vertex a, Vertex b, Vertex c, int writesDepth = 1) {
    Surface surface;
    surface.colorName = color;
    surface.writesDepth = writesDepth;
    for (const Vertex& corner : {a, b, c}) {
        surface.addCorner(corner);
    }
    return surface;
}

// Screen corners (300, 100), (700, 100), (500, 300).
Surface facingTheEye(const std::string& color, int writesDepth = 1) {
    return triangle(color, {-40, 20, 100}, {40, 20, 100}, {0, -20, 100}, writesDepth);
}

class PaintSurface : public ::testing::Test {
  protected:
    PaintSurface() {
        colors.buildColorTools({{"red", 255, 0, 0}});
        frame.fillRect(0, 0, kFrameWidth, kFrameHeight, kBackground);
    }

    std::map<std::uint32_t, int> colorCounts() const {
        std::map<std::uint32_t, int> counts;
        for (int y = 0; y < kFrameHeight; ++y) {
            for (int x = 0; x < kFrameWidth; ++x) {
                ++counts[frame.pixel(x, y)];
            }
        }
        return counts;
    }

    bool depthIsEmpty() const {
        for (std::size_t i = 0; i < DepthBuffer::kEntries; ++i) {
            if (depth.data()[i] != kEmptyDepth) {
                return false;
            }
        }
        return true;
    }

    ColorBuffer frame;
    DepthBuffer depth;
    std::ostringstream messages;
    DepthRasterizer rasterizer{depth, messages};
    ColorTools colors;
    SurfacePainter painter{frame, rasterizer, colors};
};

TEST_F(PaintSurface, FillIsSolidWithoutAntialiasing) {
    Surface surface = facingTheEye("red");
    painter.drawSurface(surface);
    const auto counts = colorCounts();
    // Only the two colours: no blended pixels along the slanted edges.
    ASSERT_EQ(counts.size(), 2u);
    EXPECT_NEAR(counts.at(kRed), 400 * 200 / 2, 400); // the triangle's area, give or take an edge
    EXPECT_EQ(frame.pixel(500, 150), kRed);
    EXPECT_EQ(frame.pixel(320, 290), kBackground);
}

// Corners just beside the eye project millions of pixels away; the fill must still cover only
// what the triangle covers. This one lies wholly below the frame, so nothing is painted; the
// other reaches from millions of pixels left of the frame to its tip at (600, 200).
TEST_F(PaintSurface, CornersFarOutsideTheFrameStillFillOnlyTheTriangle) {
    Surface below = triangle("red", {-10, -10, 0.001f}, {-10, -5, 0.002f}, {-1, -1, 1});
    painter.drawSurface(below);
    EXPECT_EQ(colorCounts().count(kRed), 0u);
    Surface tip = triangle("red", {-10, 10, 0.001f}, {-10, -10, 0.001f}, {0.2f, 0, 1});
    painter.drawSurface(tip);
    EXPECT_EQ(frame.pixel(0, 200), kRed);
    EXPECT_EQ(frame.pixel(50, 20), kRed);
    EXPECT_EQ(frame.pixel(650, 200), kBackground);
    EXPECT_EQ(frame.pixel(590, 100), kBackground);
}

TEST_F(PaintSurface, DepthIsWrittenOnlyWhenTheSurfaceAsksForIt) {
    for (const int writesDepth : {1, 0}) {
        depth.clear();
        Surface surface = facingTheEye("red", writesDepth);
        painter.drawSurface(surface);
        EXPECT_EQ(frame.pixel(500, 150), kRed) << "writesDepth " << writesDepth;
        if (writesDepth != 0) {
            EXPECT_EQ(depth.at(500, 150), 100);
        } else {
            EXPECT_TRUE(depthIsEmpty());
        }
    }
}

TEST_F(PaintSurface, NothingBehindTheEyeIsDrawnOrLookedUp) {
    // Depth 0 counts as behind. An unknown colour shows that no lookup happened.
    const Surface behind[] = {triangle("unknown", {-40, 20, 0}, {40, 20, 0}, {0, -20, 0}),
                              triangle("unknown", {-40, 20, -1}, {40, 20, -100}, {0, -20, 0})};
    for (Surface surface : behind) {
        EXPECT_NO_THROW(painter.drawSurface(surface));
    }
    EXPECT_EQ(colorCounts().size(), 1u);
    EXPECT_TRUE(depthIsEmpty());
}

TEST_F(PaintSurface, CornerOnTheEyePlaneIsClippedNotProjected) {
    Surface surface = triangle("red", {-40, 20, 100}, {40, 20, 100}, {0, -20, 0});
    painter.drawSurface(surface);
    // The corner moved to depth 1, far below the frame; the triangle reaches the bottom row.
    EXPECT_EQ(surface.viewVertices[2].z, 1.0f);
    EXPECT_EQ(frame.pixel(500, 399), kRed);
}

TEST_F(PaintSurface, VisibleSurfaceWithoutBrushIsFatal) {
    const Surface visible[] = {facingTheEye("Red"),
                               triangle("Red", {-40, 20, 100}, {40, 20, 100}, {0, -20, -50})};
    for (Surface surface : visible) {
        try {
            painter.drawSurface(surface);
            ADD_FAILURE() << "no error";
        } catch (const platform::FatalError& error) {
            EXPECT_EQ(error.text(), "ERROR: brush Red is null!\n");
            EXPECT_EQ(error.caption(), "Error");
            EXPECT_EQ(error.icon(), platform::MessageIcon::Error);
        }
    }
}

} // namespace
} // namespace velmora
