#include "render/DepthRasterizer.h"
#include "RenderTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

namespace velmora {
namespace {

TEST(DepthAt, EvaluatesThePlaneInDoubleAndTruncatesTowardZero) {
    const struct {
        DepthPlane plane;
        int x, y;
        std::int32_t depth;
    } cases[] = {
        {{1, 2, -1, 0}, 3, 4, 11},
        {{1, 0, -2, 0}, 5, 0, 2},   // 2.5
        {{1, 0, -2, 0}, -5, 0, -2}, // -2.5
        // -1 - 2^24 is exact in double; a float sum would round it to -2^24.
        {{1, 0, 1, 16777216.0f}, 1, 0, -16777217},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(depthAt(c.plane, c.x, c.y), c.depth) << c.x << ", " << c.y;
    }
}

// The reference rule, from the corners alone: +1 when the pixel's centre lies inside the
// triangle, -1 when outside, 0 when it is within 1/64 pixel of an edge's line, where either
// answer is right as long as the neighbour sharing the edge gives the other.
int sideOfCentre(const FramePoint (&t)[3], int x, int y) {
    const double cx = x + 0.5, cy = y + 0.5;
    const double area =
        (t[1].x - t[0].x) * (t[2].y - t[0].y) - (t[1].y - t[0].y) * (t[2].x - t[0].x);
    int inside = 1;
    for (int i = 0; i < 3; ++i) {
        const FramePoint& a = t[i];
        const FramePoint& b = t[(i + 1) % 3];
        const double cross = (b.x - a.x) * (cy - a.y) - (b.y - a.y) * (cx - a.x);
        const double distance = (area > 0 ? cross : -cross) / std::hypot(b.x - a.x, b.y - a.y);
        if (distance < -1.0 / 64) {
            return -1;
        }
        inside = distance <= 1.0 / 64 ? 0 : inside;
    }
    return inside;
}

bool covers(const Coverage& covered, int x, int y) {
    return y >= covered.top && y < covered.bottom && x >= covered.begin[y] && x < covered.end[y];
}

struct Fan {
    std::string name;
    std::vector<FramePoint> corners;

    std::vector<std::array<FramePoint, 3>> triangles() const {
        std::vector<std::array<FramePoint, 3>> out;
        for (std::size_t i = 2; i < corners.size(); ++i) {
            out.push_back({corners[0], corners[i - 1], corners[i]});
        }
        return out;
    }
};

std::vector<Fan> readFans() {
    std::vector<Fan> fans;
    for (const rendertest::TextCase& c : rendertest::readCases("coverage-cases.txt")) {
        const std::vector<float> numbers = c.numbers("polygon");
        Fan& fan = fans.emplace_back(Fan{c.name, {}});
        for (std::size_t i = 0; i + 1 < numbers.size(); i += 2) {
            fan.corners.push_back({numbers[i], numbers[i + 1]});
        }
    }
    return fans;
}

// Each triangle alone against the reference, and the fan as a whole: a pixel inside the
// polygon is covered by exactly one of its triangles, one on a shared diagonal included.
TEST(CoverTriangle, CoversThePixelCentresInsideEveryPixelOnce) {
    const std::vector<Fan> fans = readFans();
    ASSERT_GE(fans.size(), 8u) << "run from the repository root";
    for (const Fan& fan : fans) {
        std::vector<int> count(std::size_t(kFrameWidth) * kFrameHeight, 0);
        std::vector<int> polygonSide(count.size(), -1);
        for (const auto& t : fan.triangles()) {
            Coverage covered;
            coverTriangle(t[0], t[1], t[2], covered);
            const FramePoint corners[3] = {t[0], t[1], t[2]};
            for (int y = 0; y < kFrameHeight; ++y) {
                for (int x = 0; x < kFrameWidth; ++x) {
                    const int side = sideOfCentre(corners, x, y);
                    const std::size_t i = std::size_t(y) * kFrameWidth + x;
                    const bool in = covers(covered, x, y);
                    count[i] += in;
                    polygonSide[i] = std::max(polygonSide[i], side);
                    if ((side == 1 && !in) || (side == -1 && in)) {
                        ADD_FAILURE() << fan.name << ": (" << x << ", " << y << ") covered " << in;
                        return;
                    }
                }
            }
        }
        for (std::size_t i = 0; i < count.size(); ++i) {
            // A centre on a diagonal is near the edges of two triangles, inside the polygon.
            const bool inside = polygonSide[i] == 1 || (polygonSide[i] == 0 && count[i] != 0);
            if (count[i] > 1 || (inside && count[i] != 1)) {
                ADD_FAILURE() << fan.name << ": (" << i % kFrameWidth << ", " << i / kFrameWidth
                              << ") covered " << count[i] << " times";
                break;
            }
        }
    }
}

// The depth lands on exactly the covered pixels, each with the plane's depth there.
TEST(DepthRasterizer, WritesThePlaneDepthOnTheCoveredPixels) {
    DepthBuffer buffer;
    std::ostringstream trace;
    DepthRasterizer rasterizer(buffer, &trace);
    std::size_t triangles = 0;
    for (const Fan& fan : readFans()) {
        for (const auto& t : fan.triangles()) {
            ++triangles;
            buffer.clear();
            Vertex p[3];
            for (int i = 0; i < 3; ++i) {
                p[i] = {float(t[i].x), float(t[i].y), float(70000 + t[i].x / 4 + t[i].y / 2)};
            }
            rasterizer.rasterizeDepthTriangle(p[0], p[1], p[2]);
            Coverage covered;
            coverTriangle(t[0], t[1], t[2], covered);
            const DepthPlane plane = depthPlaneOf(p[0], p[1], p[2]);
            for (int x = 0; x < kFrameWidth; ++x) {
                for (int y = 0; y < kFrameHeight; ++y) {
                    const std::uint16_t want =
                        covers(covered, x, y) ? std::uint16_t(depthAt(plane, x, y)) : kEmptyDepth;
                    ASSERT_EQ(buffer.at(x, y), want) << fan.name << ": (" << x << ", " << y << ")";
                }
            }
        }
    }
    // One line a triangle, its corners as drawn.
    const std::string lines = trace.str();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), long(triangles));
    EXPECT_TRUE(lines.starts_with("z buffering triangle (10.5, 10.5, 70007.9) (30.5, 10.5, "))
        << lines.substr(0, 80);
}

// Collinear and degenerate corners write nothing; absurd ones may write anything but must stay
// inside the buffer and end promptly. The sanitizers watch the writes.
TEST(DepthRasterizer, DegenerateAndAbsurdCornersStayInsideTheBuffer) {
    DepthBuffer buffer;
    DepthRasterizer rasterizer(buffer);
    rasterizer.rasterizeDepthTriangle({0, 0, 5}, {10, 10, 6}, {20, 20, 7});
    rasterizer.rasterizeDepthTriangle({5, 5, 5}, {5, 5, 6}, {90, 5, 7});
    for (int x = 0; x < kFrameWidth; ++x) {
        for (int y = 0; y < kFrameHeight; ++y) {
            ASSERT_EQ(buffer.at(x, y), kEmptyDepth) << x << ", " << y;
        }
    }
    constexpr float nan = std::numeric_limits<float>::quiet_NaN();
    constexpr float inf = std::numeric_limits<float>::infinity();
    const Vertex corners[] = {
        {nan, 10, 5},      {10, nan, 5},        {inf, 10, 5},         {10, -inf, 5},
        {1e30f, 1e30f, 5}, {-1e30f, 200, 5},    {500, -1e30f, 1e30f}, {3e9f, -3e9f, 5},
        {500, 200, nan},   {999.5f, 399.5f, 1}, {-0.5f, 0.5f, inf},   {1e7f, 100, 5},
    };
    for (const Vertex& p1 : corners) {
        for (const Vertex& p2 : corners) {
            for (const Vertex& p3 : corners) {
                rasterizer.rasterizeDepthTriangle(p1, p2, p3);
            }
        }
    }
}

} // namespace
} // namespace velmora
