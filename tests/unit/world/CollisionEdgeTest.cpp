// What the edge listing of the collision-edges world folder does not show, and corners that
// whole numbers in a world file cannot give.
#include "geometry/CollisionEdge.h"

#include <gtest/gtest.h>

#include <cmath>

namespace velmora {
namespace {

// The triangle's edge, or one named "none".
CollisionEdge edgeOf(std::initializer_list<Vertex> corners) {
    Surface surface;
    surface.name = "s";
    for (const Vertex& corner : corners) {
        surface.addCorner(corner);
    }
    return buildCollisionEdge(surface).value_or(CollisionEdge{.name = "none"});
}

TEST(CollisionEdges, FieldsTheEdgeListingDoesNotShow) {
    // Along z the third corner may stray less than 0.2 in x.
    EXPECT_EQ(edgeOf({{0, 0, 0}, {0, 9, 10}, {0.1f, 9, 20}}).isVertical, 1);
    EXPECT_EQ(edgeOf({{0, 0, 0}, {0, 9, 10}, {0.3f, 9, 20}}).name, "none");
    const CollisionEdge sloped = edgeOf({{10, 0, 0}, {20, 9, -30}, {15, 0, -15}});
    EXPECT_EQ(sloped.slope, -3.0f);
    EXPECT_EQ(sloped.intercept, 30.0f);
    EXPECT_EQ(sloped.xIntercept, 10.0f);
    EXPECT_EQ(sloped.isVertical + sloped.isHorizontal, 0);
    EXPECT_EQ(sloped.name, "s_edge");
    const CollisionEdge along = edgeOf({{5, 0, 0}, {5, 30, 40}, {5, 0, 40}});
    EXPECT_EQ(along.xIntercept, 5.0f);
    EXPECT_EQ(along.slope, 0.0f);
    // Heights are cut toward zero and searched from 9999 and -9999.
    const CollisionEdge tall = edgeOf({{0, -2.9f, 0}, {0, 12000, 0}, {20, 2.9f, 0}});
    EXPECT_EQ(tall.minY, -2);
    EXPECT_EQ(tall.height, 12002);
    EXPECT_EQ(edgeOf({{0, 10000, 0}, {0, 12000, 0}, {20, 10000, 0}}).minY, 9999);
}

TEST(Truncation, CutsTowardZeroAndClamps) {
    const std::pair<double, std::int32_t> cases[] = {
        {-2.9, -2}, {2.9, 2}, {1e20, 2147483647}, {-1e20, -2147483647 - 1}, {std::nan(""), 0},
        // The first values past either end of the range.
        {2147483647.9, 2147483647}, {2147483648.0, 2147483647}, {-2147483648.9, -2147483647 - 1},
        {-2147483649.0, -2147483647 - 1}};
    for (const auto& [value, expected] : cases) {
        EXPECT_EQ(truncateToInt(value), expected) << value;
    }
}

} // namespace
} // namespace velmora
