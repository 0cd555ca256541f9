#include "BspTestSupport.h"
#include "geometry/CollisionEdge.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(IsVerticalTriangle, WholeUnitSlopesFromTheFirstCornerAgreeWithinAThousandth) {
    const struct {
        Vertex c1, c2;
        int vertical;
    } cases[] = {
        {{3, 9, 1}, {1000, 0, 333}, 1},  // slopes 1/3 and 0.333
        {{3, 9, 1}, {1000, 0, 328}, 0},  // 1/3 and 0.328
        {{3.9f, 9, 1.9f}, {6, 0, 2}, 1}, // differences cut toward zero: 3 and 1
        {{5, 9, 5}, {0, 0, 0}, 1},       // the third corner on the first
        {{5, 9, 5}, {0, 0, 7}, 0},       // the third corner straight along z
        {{0, 9, 0}, {0.1f, 0, 7}, 1},    // the second corner over the first
        {{0, 9, 5}, {0.3f, 0, 7}, 0},    // along z, the third corner 0.3 aside
    };
    for (const auto& c : cases) {
        EXPECT_EQ(isVerticalTriangle(bsptest::triangle("t", {0, 0, 0}, c.c1, c.c2)), c.vertical)
            << c.c1.x << ", " << c.c2.x;
    }
}

} // namespace
} // namespace velmora
