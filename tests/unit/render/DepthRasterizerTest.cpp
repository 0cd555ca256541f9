#include "render/DepthRasterizer.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

namespace velmora {
namespace {

// Every triangle below lies in the plane depth = x + 2y, so the value of a written pixel also
// tells which pixel it is.
constexpr DepthPlane kSloped{1.0f, 2.0f, -1.0f, 0.0f};

Vertex at(float x, float y) {
    return {x, y, x + 2 * y};
}

int sloped(int x, int y) {
    return x + 2 * y;
}

// Columns first..last, both included, of one row.
struct RowSpan {
    int y;
    int first;
    int last;
};

// Rows y0.., each given as its first and last column.
std::vector<RowSpan> rowsFrom(int y0, const std::vector<std::pair<int, int>>& columns) {
    std::vector<RowSpan> runs;
    for (const auto& [first, last] : columns) {
        runs.push_back({y0++, first, last});
    }
    return runs;
}

// The pixels, over the whole buffer, that differ from: depth(x, y) on the runs, empty elsewhere.
std::string differences(const DepthBuffer& buffer, const std::vector<RowSpan>& runs,
                        int (*depth)(int, int) = sloped) {
    DepthBuffer expected;
    for (const RowSpan& run : runs) {
        for (int x = run.first; x <= run.last; ++x) {
            expected.at(x, run.y) = static_cast<std::uint16_t>(depth(x, run.y));
        }
    }
    std::ostringstream out;
    int shown = 0;
    for (int x = 0; x < kFrameWidth; ++x) {
        for (int y = 0; y < kFrameHeight; ++y) {
            if (buffer.at(x, y) != expected.at(x, y) && shown++ < 8) {
                out << "(" << x << ", " << y << "): " << buffer.at(x, y) << " instead of "
                    << expected.at(x, y) << "\n";
            }
        }
    }
    return out.str();
}

class DepthRasterizerTest : public ::testing::Test {
  protected:
    DepthBuffer buffer;
    std::ostringstream messages;
    std::ostringstream trace;
    DepthRasterizer rasterizer{buffer, messages, &trace};
};

TEST(DepthAt, EvaluatesThePlaneInDoubleAndTruncatesTowardZero) {
    struct Case {
        DepthPlane plane;
        int x, y;
        std::int32_t depth;
    };
    const std::vector<Case> cases = {
        {kSloped, 3, 4, 11},
        {{1, 0, -2, 0}, 5, 0, 2},   // 2.5
        {{1, 0, -2, 0}, -5, 0, -2}, // -2.5
        // -1 - 2^24 is exact in double; a float sum would round it to -2^24.
        {{1, 0, 1, 16777216.0f}, 1, 0, -16777217},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(depthAt(c.plane, c.x, c.y), c.depth) << c.x << ", " << c.y;
    }
}

// Whole triangles; each pixel set is worked out piece by piece from the cutting rules.
TEST_F(DepthRasterizerTest, CuttingRulesCoverTheWorkedOutPixels) {
    struct Case {
        const char* name;
        Vertex p1, p2, p3;
        std::vector<RowSpan> runs;
    };
    std::vector<RowSpan> between;
    for (int y = 0; y < 10; ++y) {
        // Pieces (20,10)-(10,0)-(20,0) leftwards and (20,10)-(20,0)-(30,0) rightwards; both
        // hold column 20, neither the column of its moving edge.
        between.push_back({y, 11 + y, 29 - y});
    }
    const std::vector<Case> cases = {
        {"flat, tip between the ends", at(10, 0), at(30, 0), at(20, 10), between},
        // Cut at column 20 where (10,0)-(30,10) has row 5; the piece (30,10)-(20,0)-(20,5) has
        // no horizontal edge and is cut again at row 5, column 25.
        {"flat, tip right of right", at(10, 0), at(20, 0), at(30, 10),
         rowsFrom(0, {{11, 20},
                      {13, 20},
                      {15, 21},
                      {17, 22},
                      {19, 23},
                      {20, 24},
                      {22, 25},
                      {24, 26},
                      {26, 27},
                      {28, 28}})},
        // Cut at column 20 where (10,10)-(30,0) has row 5; (20,5)-(20,0)-(10,10) is cut again
        // at row 5, column 15.
        {"flat, tip left of left", at(20, 0), at(30, 0), at(10, 10),
         rowsFrom(0, {{20, 29},
                      {20, 27},
                      {19, 25},
                      {18, 23},
                      {17, 21},
                      {15, 19},
                      {14, 17},
                      {13, 15},
                      {12, 13},
                      {11, 11}})},
        // The long edge is the column 10; the upper piece ends above row 5, the lower one
        // starts on it, so row 5 is written once, from the lower piece.
        {"general, cut at the middle row", at(10, 0), at(20, 5), at(10, 10),
         rowsFrom(1, {{10, 11},
                      {10, 13},
                      {10, 15},
                      {10, 17},
                      {10, 19},
                      {10, 17},
                      {10, 15},
                      {10, 13},
                      {10, 11}})},
    };
    for (const Case& c : cases) {
        buffer.clear();
        rasterizer.rasterizeDepthTriangle(c.p1, c.p2, c.p3);
        EXPECT_EQ(differences(buffer, c.runs), "") << c.name;
    }
    EXPECT_EQ(messages.str(), "");
}

TEST_F(DepthRasterizerTest, VerticalEdgePiecesSendTheRightAngledPartBackAndFillTheApexPart) {
    struct Case {
        const char* name;
        Vertex p1, p2, p3;
        std::vector<RowSpan> runs;
    };
    const std::vector<Case> cases = {
        // Sorted (20,0), (20,5), (30,10); cut at (25,5). Upper part (20,0)-(20,5)-(25,5) grows
        // rightwards from column 20; the apex part runs rows 5..9 between 20→30 and 25→30.
        {"vertical edge in the upper part", at(20, 5), at(20, 0), at(30, 10),
         rowsFrom(1, {{20, 20},
                      {20, 21},
                      {20, 22},
                      {20, 23},
                      {20, 24},
                      {22, 25},
                      {24, 26},
                      {26, 27},
                      {28, 28}})},
        // Sorted (10,0), (20,5), (20,10); cut at (15,5). The lower part (20,10)-(20,5)-(15,5)
        // shrinks leftwards from column 20; the apex part runs rows 0..4 between 10→15 and
        // 10→20.
        {"vertical edge in the lower part", at(20, 5), at(20, 10), at(10, 0),
         rowsFrom(1, {{11, 11},
                      {12, 13},
                      {13, 15},
                      {14, 17},
                      {16, 20},
                      {17, 20},
                      {18, 20},
                      {19, 20},
                      {20, 20}})},
    };
    for (const Case& c : cases) {
        buffer.clear();
        rasterizer.rasterizeRightTriangle(kSloped, c.p1, c.p2, c.p3);
        EXPECT_EQ(differences(buffer, c.runs), "") << c.name;
    }
    EXPECT_EQ(messages.str(), "");
}

// Pieces at the buffer's edges; none of them may reach the "x error" or "y error" guards.
TEST_F(DepthRasterizerTest, PiecesAreClippedAndEnteredAtTheBufferEdges) {
    struct Case {
        const char* name;
        Vertex p1, p2, p3;
        std::vector<RowSpan> runs;
    };
    std::vector<RowSpan> fromLeft, fromRight, pastLeft, pastRight, above, farAbove, lastRow;
    for (int y = 11; y < 20; ++y) {
        // Edge x = y - 10 enters column 0 at row 10.
        fromLeft.push_back({y, 0, y - 11});
        // Entered at row 10 with both edges set to column 999.
        fromRight.push_back({y, 1010 - y, 999});
    }
    for (int y = 1; y < 10; ++y) {
        // Moving edge 5 - 2y, excluded, stopped at column 0.
        pastLeft.push_back({y, std::max(6 - 2 * y, 0), 5});
        // Moving edge 995 + 2y, excluded, stopped at column 999.
        pastRight.push_back({y, 995, std::min(994 + 2 * y, 999)});
    }
    for (int y = 0; y < 10; ++y) {
        // 10 rows skipped at once: the moving edge starts row 0 at 10 + 10·1.
        above.push_back({y, 10, 19 + y});
        // A million rows skipped: 10 + 1e6 · 20/1000010 = 29.9998, truncated to 29.
        farAbove.push_back({y, 10, 28});
    }
    for (int y = 391; y < 400; ++y) {
        lastRow.push_back({y, 10, y - 381});
    }
    const std::vector<Case> cases = {
        {"vertical edge left of column 0, entering", at(-10, 0), at(-10, 20), at(10, 20), fromLeft},
        {"moving edge starting left of column 0", at(-10, 20), at(-10, 0), at(-1, 0), {}},
        {"vertical edge right of 999, entering", at(1010, 0), at(1010, 20), at(990, 20), fromRight},
        // Entered without this rule at row 18, the moving edge would write (999, 19).
        {"vertical edge right of 999, third corner too",
         at(1010.9f, 0),
         at(1010.9f, 20),
         at(1000, 20),
         {}},
        {"rightwards from column 1000", at(1000, 0), at(1000, 20), at(1020, 20), {}},
        {"leftwards from column -1", at(-1, 0), at(-1, 20), at(-20, 20), {}},
        {"span past the left edge", at(5, 0), at(5, 10), at(-15, 10), pastLeft},
        {"span past the right edge", at(995, 0), at(995, 10), at(1015, 10), pastRight},
        {"top above row 0", at(10, -10), at(10, 10), at(30, 10), above},
        {"top far above row 0", at(10, -1000000), at(10, 10), at(30, 10), farAbove},
        {"bottom above row 0", at(10, -20), at(10, -1), at(30, -1), {}},
        {"reaching below row 399", at(10, 390), at(10, 410), at(30, 410), lastRow},
        {"starting on row 400", at(10, 400), at(10, 410), at(30, 410), {}},
        {"starting below row 400", at(10, 401), at(10, 410), at(30, 410), {}},
        {"no vertical edge", at(10, 0), at(20, 10), at(30, 0), {}},
        {"zero height", at(10, 5), at(10, 5.5f), at(30, 5), {}},
    };
    for (const Case& c : cases) {
        buffer.clear();
        rasterizer.rasterizeRightTriangle(kSloped, c.p1, c.p2, c.p3);
        EXPECT_EQ(differences(buffer, c.runs), "") << c.name;
    }
    EXPECT_EQ(messages.str(), "");
}

TEST_F(DepthRasterizerTest, TrianglesBesideOrBelowTheBufferWriteNothing) {
    const std::vector<std::vector<Vertex>> triangles = {
        {at(1000, 0), at(1010, 0), at(1005, 10)}, {at(1000, 0), at(1200, 50), at(1100, 300)},
        {at(10, 400), at(30, 400), at(20, 410)},  {at(10, 450), at(300, 420), at(20, 900)},
        {at(-100, 10), at(-1, 10), at(-50, 100)}, {at(10, -100), at(30, -1), at(20, -50)},
    };
    for (const auto& t : triangles) {
        rasterizer.rasterizeDepthTriangle(t[0], t[1], t[2]);
    }
    EXPECT_EQ(differences(buffer, {}), "");
    EXPECT_EQ(messages.str(), "");
}

TEST_F(DepthRasterizerTest, StoresTheLowSixteenBitsOfTheDepth) {
    const std::vector<Vertex> flat = {{10, 0, 70000}, {30, 0, 70000}, {20, 10, 70000}};
    rasterizer.rasterizeDepthTriangle(flat[0], flat[1], flat[2]);
    std::vector<RowSpan> runs;
    for (int y = 0; y < 10; ++y) {
        runs.push_back({y, 11 + y, 29 - y});
    }
    EXPECT_EQ(differences(buffer, runs, [](int, int) { return 70000 - 65536; }), "");
}

TEST_F(DepthRasterizerTest, CollinearTrianglesDrawNothing) {
    const std::vector<std::vector<Vertex>> triangles = {
        {{0, 0, 5}, {10, 10, 6}, {20, 20, 7}},
        {{0, 5, 5}, {10, 5, 6}, {20, 5, 7}}, // would take the flat path
        {{7, 0, 5}, {7, 10, 6}, {7, 20, 7}},
        {{3, 3, 5}, {3, 3, 6}, {3, 3, 7}},
    };
    for (const auto& t : triangles) {
        rasterizer.rasterizeDepthTriangle(t[0], t[1], t[2]);
    }
    EXPECT_EQ(differences(buffer, {}), "");
    EXPECT_EQ(messages.str(), "");
    EXPECT_EQ(trace.str(), "");
}

TEST_F(DepthRasterizerTest, ReportsUnexpectedCasesAndPixelsOffTheBuffer) {
    rasterizer.rasterizeFlatTriangle(kSloped, at(0, 0), at(10, 5), at(20, 10));
    EXPECT_EQ(messages.str(), "unexpected case in isTriangleTipBetweenXCoords\n");

    struct Case {
        int x, y;
        const char* message;
    };
    const std::vector<Case> offBuffer = {
        {1000, 0, "x error\n"}, {-1, 0, "x error\n"}, {-1, 500, "x error\n"}, // x first
        {0, 400, "y error\n"},  {0, -1, "y error\n"}, {INT_MIN, INT_MAX, "x error\n"},
    };
    for (const Case& c : offBuffer) {
        messages.str("");
        rasterizer.writeDepth(kSloped, c.x, c.y);
        EXPECT_EQ(messages.str(), c.message) << c.x << ", " << c.y;
    }
    EXPECT_EQ(differences(buffer, {}), "");

    messages.str("");
    rasterizer.writeDepth(kSloped, 999, 399);
    rasterizer.writeDepth(kSloped, 0, 0);
    EXPECT_EQ(messages.str(), "");
    EXPECT_EQ(differences(buffer, {{0, 0, 0}, {399, 999, 999}}), "");
}

// Absurd corners may draw anything, but must stay inside the buffer, end promptly and never
// reach the pixel guards. RowSpan under the sanitizers too.
TEST_F(DepthRasterizerTest, AbsurdCornersStayInsideTheBuffer) {
    constexpr float nan = std::numeric_limits<float>::quiet_NaN();
    constexpr float inf = std::numeric_limits<float>::infinity();
    const std::vector<Vertex> corners = {
        {nan, 10, 5},      {10, nan, 5},        {inf, 10, 5},         {10, -inf, 5},
        {1e30f, 1e30f, 5}, {-1e30f, 200, 5},    {500, -1e30f, 1e30f}, {3e9f, -3e9f, 5},
        {500, 200, nan},   {999.5f, 399.5f, 1}, {-0.5f, 0.5f, inf},   {1e7f, 100, 5},
    };
    for (const Vertex& p1 : corners) {
        for (const Vertex& p2 : corners) {
            for (const Vertex& p3 : corners) {
                rasterizer.rasterizeDepthTriangle(p1, p2, p3);
                rasterizer.rasterizeRightTriangle(kSloped, p1, p2, p3);
                rasterizer.rasterizeVerticalEdgeTriangle(kSloped, p1, p2, p3);
            }
        }
    }
    const std::vector<int> columns = {INT_MIN, -1, 1000, INT_MAX};
    for (const float slope : {nan, inf, -3.0f}) {
        for (const int top : {INT_MIN, -5, 398, INT_MAX}) {
            for (const int bottom : {INT_MIN, 3, INT_MAX}) {
                for (const int xFixed : columns) {
                    for (const int xMoving : columns) {
                        for (const int direction : {1, -1}) {
                            rasterizer.fillDepthSpans(kSloped, top, xFixed, xMoving, bottom, slope,
                                                      direction);
                        }
                    }
                }
            }
        }
    }
    const std::string reports = messages.str();
    EXPECT_EQ(reports.find("x error"), std::string::npos);
    EXPECT_EQ(reports.find("y error"), std::string::npos);
}

} // namespace
} // namespace velmora
