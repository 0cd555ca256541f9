#include "render/SurfacePainter.h"
#include "platform/FatalError.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace velmora {
namespace {

constexpr std::uint32_t kRed = 0xFF0000;

// Camera-space corners. Fill, depth writes and the cut at the eye plane of ordinary surfaces
// are watched by the golden frames; these are the edge cases they do not reach.
Surface triangle(const std::string& color, Vertex a, Vertex b, Vertex c) {
    Surface surface;
    surface.colorName = color;
    surface.writesDepth = 1;
    for (const Vertex& corner : {a, b, c}) {
        surface.addCorner(corner);
    }
    return surface;
}

class PaintSurface : public ::testing::Test {
  protected:
    PaintSurface() {
        colors.buildColorTools({{"red", 255, 0, 0}});
        frame.fillRect(0, 0, kFrameWidth, kFrameHeight, 0);
    }
    int written() const {
        int count = 0;
        for (int i = 0; i < kFrameWidth * kFrameHeight; ++i) {
            const int x = i % kFrameWidth, y = i / kFrameWidth;
            count += frame.pixel(x, y) != 0 || depth.at(x, y) != kEmptyDepth;
        }
        return count;
    }

    ColorBuffer frame;
    DepthBuffer depth;
    DepthRasterizer rasterizer{depth};
    ColorTools colors;
    SurfacePainter painter{frame, rasterizer, colors};
};

// Corners just beside the eye project millions of pixels away; the fill must still cover only
// what the triangle covers. This one lies wholly below the frame, so nothing is painted; the
// other reaches from millions of pixels left of the frame to its tip at (600, 200).
TEST_F(PaintSurface, CornersFarOutsideTheFrameStillFillOnlyTheTriangle) {
    Surface below = triangle("red", {-10, -10, 0.001f}, {-10, -5, 0.002f}, {-1, -1, 1});
    painter.drawSurface(below);
    EXPECT_EQ(written(), 0);
    Surface tip = triangle("red", {-10, 10, 0.001f}, {-10, -10, 0.001f}, {0.2f, 0, 1});
    painter.drawSurface(tip);
    const struct {
        int x, y;
        std::uint32_t color;
    } probes[] = {{0, 200, kRed}, {50, 20, kRed}, {650, 200, 0}, {590, 100, 0}};
    for (const auto& p : probes) {
        EXPECT_EQ(frame.pixel(p.x, p.y), p.color) << p.x << ", " << p.y;
    }
}

// A 16-gon wall filling the whole view, seen obliquely and cut by the eye plane, drawn as the
// fan of triangles the loader makes of it: every pixel is painted and none is left without
// depth, along the shared diagonals and on the clipped triangles alike.
TEST_F(PaintSurface, ClosedWallCoversEveryPixelWithColourAndDepth) {
    constexpr double kPi = 3.14159265358979323846;
    const double heading = 20 * kPi / 180;
    std::vector<Vertex> corners;
    for (int k = 0; k < 16; ++k) {
        const double x = 5000 * std::cos(k * kPi / 8), y = 5000 * std::sin(k * kPi / 8), z = 50;
        corners.push_back({float(x * std::cos(heading) - z * std::sin(heading)), float(y),
                           float(x * std::sin(heading) + z * std::cos(heading))});
    }
    for (std::size_t k = 2; k < corners.size(); ++k) {
        Surface piece = triangle("red", corners[0], corners[k - 1], corners[k]);
        painter.drawSurface(piece);
    }
    for (int y = 0; y < kFrameHeight; ++y) {
        for (int x = 0; x < kFrameWidth; ++x) {
            ASSERT_EQ(frame.pixel(x, y), kRed) << x << ", " << y;
            ASSERT_NE(depth.at(x, y), kEmptyDepth) << x << ", " << y;
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
    EXPECT_EQ(written(), 0);
}

TEST_F(PaintSurface, VisibleSurfaceWithoutBrushIsFatal) {
    const Surface visible[] = {triangle("Red", {-40, 20, 100}, {40, 20, 100}, {0, -20, 100}),
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
