#include "render/DepthRasterizer.h"
#include "RenderTestSupport.h"

#include <gtest/gtest.h>

#include <climits>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

namespace velmora {
namespace {

// The plane giving pixel (x, y) the depth x + 2y + offset, so a written value also tells which
// pixel it is.
DepthPlane sloped(float offset = 0) {
    return {1, 2, -1, offset};
}

TEST(DepthAt, EvaluatesThePlaneInDoubleAndTruncatesTowardZero) {
    const struct {
        DepthPlane plane;
        int x, y;
        std::int32_t depth;
    } cases[] = {
        {sloped(), 3, 4, 11},
        {{1, 0, -2, 0}, 5, 0, 2},   // 2.5
        {{1, 0, -2, 0}, -5, 0, -2}, // -2.5
        // -1 - 2^24 is exact in double; a float sum would round it to -2^24.
        {{1, 0, 1, 16777216.0f}, 1, 0, -16777217},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(depthAt(c.plane, c.x, c.y), c.depth) << c.x << ", " << c.y;
    }
}

class DepthRasterizerTest : public ::testing::Test {
  protected:
    DepthBuffer buffer;
    std::ostringstream messages;
    DepthRasterizer rasterizer{buffer, messages};
};

TEST_F(DepthRasterizerTest, DrawsThePicturesOfTheCases) {
    const auto cases = rendertest::readCases("depth-pieces.txt");
    ASSERT_FALSE(cases.empty()) << "run from the repository root";
    for (const rendertest::TextCase& c : cases) {
        buffer.clear();
        messages.str("");
        std::istringstream draw(c.lines.at("draw"));
        std::string kind;
        float at[7] = {}; // three corners, the depth offset
        draw >> kind >> at[0] >> at[1] >> at[2] >> at[3] >> at[4] >> at[5] >> at[6];
        const DepthPlane plane = sloped(at[6]);
        Vertex p[3];
        for (int i = 0; i < 3; ++i) {
            p[i] = {at[2 * i], at[2 * i + 1], at[2 * i] + 2 * at[2 * i + 1] + at[6]};
        }
        if (kind == "triangle") {
            rasterizer.rasterizeDepthTriangle(p[0], p[1], p[2]);
        } else if (kind == "flat") {
            rasterizer.rasterizeFlatTriangle(plane, p[0], p[1], p[2]);
        } else if (kind == "pixel") {
            rasterizer.writeDepth(plane, int(at[0]), int(at[1]));
        } else {
            ASSERT_EQ(kind, "piece") << c.name;
            rasterizer.rasterizeRightTriangle(plane, p[0], p[1], p[2]);
        }
        EXPECT_EQ(messages.str(), c.message()) << c.name;
        const std::vector<float> origin =
            c.picture.empty() ? std::vector<float>{0, 0} : c.numbers("at");
        // Column-major, as the buffer is: the first wrong pixel of each case is reported.
        for (std::size_t i = 0; i < DepthBuffer::kEntries; ++i) {
            const int x = int(i / kFrameHeight), y = int(i % kFrameHeight);
            // Rows and columns before the picture wrap round to huge indexes.
            const std::size_t row = std::size_t(y - int(origin[1]));
            const std::size_t column = std::size_t(x - int(origin[0]));
            const bool drawn = row < c.picture.size() && column < c.picture[row].size() &&
                               c.picture[row][column] == '#';
            const std::uint16_t depth =
                drawn ? std::uint16_t(std::int64_t(x + 2 * y + at[6])) : kEmptyDepth;
            if (buffer.at(x, y) != depth) {
                ADD_FAILURE() << c.name << ": (" << x << ", " << y << ") " << buffer.at(x, y)
                              << " instead of " << depth;
                break;
            }
        }
    }
}

// Absurd corners may draw anything, but must stay inside the buffer, end promptly and never
// reach the pixel guards; the sanitizers watch the writes.
TEST_F(DepthRasterizerTest, AbsurdCornersStayInsideTheBuffer) {
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
                rasterizer.rasterizeRightTriangle(sloped(), p1, p2, p3);
                rasterizer.rasterizeVerticalEdgeTriangle(sloped(), p1, p2, p3);
            }
        }
    }
    // Every mix of slope, top, bottom, fixed and moving column and direction, one index each.
    const float slopes[] = {nan, inf, -3.0f};
    const int tops[] = {INT_MIN, -5, 398, INT_MAX}, bottoms[] = {INT_MIN, 3, INT_MAX},
              columns[] = {INT_MIN, -1, 1000, INT_MAX};
    for (int i = 0; i < 3 * 4 * 3 * 4 * 4 * 2; ++i) {
        rasterizer.fillDepthSpans(sloped(), tops[i / 2 % 4], columns[i / 8 % 4],
                                  columns[i / 32 % 4], bottoms[i / 128 % 3], slopes[i / 384],
                                  i % 2 == 0 ? 1 : -1);
    }
    EXPECT_EQ(messages.str().find("error"), std::string::npos);
}

} // namespace
} // namespace velmora
