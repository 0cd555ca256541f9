#include "world/Triangulation.h"

#include "bsp/EdgeDump.h"
#include "world/CollisionEdge.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

namespace velmora {
namespace {

Surface polygon(const std::string& name, std::initializer_list<Vertex> corners) {
    Surface surface;
    surface.name = name;
    surface.colorName = "c";
    for (const Vertex& corner : corners) {
        surface.addCorner(corner);
    }
    return surface;
}

std::vector<Vertex> corners(const Surface& surface) {
    return surface.vertices;
}

TEST(SplitQuads, QuadsBecomeTwoTrianglesInPlace) {
    std::vector<Surface> list = {
        polygon("q1", {{0, 0, 0}, {10, 0, 0}, {10, 10, 0}, {0, 10, 0}}),
        polygon("t", {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}),
        polygon("q2", {{0, 0, 5}, {10, 0, 5}, {10, 10, 5}, {0, 10, 5}}),
    };
    list[0].textureName = "tex";
    list[0].fillType = kTextureFill;
    splitQuadsIntoTriangles(list);
    ASSERT_EQ(list.size(), 5u);
    EXPECT_EQ(corners(list[0]), (std::vector<Vertex>{{0, 10, 0}, {10, 10, 0}, {0, 0, 0}}));
    EXPECT_EQ(corners(list[1]), (std::vector<Vertex>{{0, 0, 0}, {10, 0, 0}, {10, 10, 0}}));
    EXPECT_EQ(list[2].name, "t");
    EXPECT_EQ(corners(list[3]), (std::vector<Vertex>{{0, 10, 5}, {10, 10, 5}, {0, 0, 5}}));
    EXPECT_EQ(list[1].name, "q1");
    EXPECT_EQ(list[1].textureName, "tex");
    EXPECT_EQ(list[1].fillType, kTextureFill);
    EXPECT_EQ(list[1].viewVertices, list[1].vertices);
}

TEST(SplitQuads, LargerPolygonsBecomeAFan) {
    std::vector<Surface> list = {
        polygon("pent", {{0, 0, 0}, {2, 0, 0}, {3, 1, 0}, {1, 2, 0}, {-1, 1, 0}})};
    splitQuadsIntoTriangles(list);
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(corners(list[0]), (std::vector<Vertex>{{0, 0, 0}, {2, 0, 0}, {3, 1, 0}}));
    EXPECT_EQ(corners(list[1]), (std::vector<Vertex>{{0, 0, 0}, {3, 1, 0}, {1, 2, 0}}));
    EXPECT_EQ(corners(list[2]), (std::vector<Vertex>{{0, 0, 0}, {1, 2, 0}, {-1, 1, 0}}));
}

TEST(VerticalTriangle, RecognisesWallsSeenFromAbove) {
    EXPECT_EQ(isVerticalTriangle(polygon("w", {{0, 0, 0}, {0, 30, 0}, {20, 0, 0}})), 1);
    EXPECT_EQ(isVerticalTriangle(polygon("w", {{5, 0, 0}, {5, 30, 40}, {5, 0, 40}})), 1);
    EXPECT_EQ(isVerticalTriangle(polygon("w", {{0, 0, 0}, {10, 5, 20}, {20, 0, 40}})), 1);
    EXPECT_EQ(isVerticalTriangle(polygon("f", {{0, 0, 0}, {10, 0, 0}, {0, 0, 10}})), 0);
    // Along z the third corner may stray less than 0.2 in x.
    EXPECT_EQ(isVerticalTriangle(polygon("w", {{0, 0, 0}, {0, 9, 10}, {0.1f, 0, 20}})), 1);
    EXPECT_EQ(isVerticalTriangle(polygon("w", {{0, 0, 0}, {0, 9, 10}, {0.3f, 0, 20}})), 0);
}

TEST(CollisionEdges, WallsGiveTheirFootprint) {
    const auto along = buildCollisionEdge(polygon("w", {{0, 0, 0}, {0, 30, 0}, {20, 0, 0}}));
    ASSERT_TRUE(along.has_value());
    EXPECT_EQ(along->x1, 0);
    EXPECT_EQ(along->x2, 20);
    EXPECT_EQ(along->isHorizontal, 1);
    EXPECT_EQ(along->isVertical, 0);
    EXPECT_EQ(along->minY, 0);
    EXPECT_EQ(along->maxY, 30);
    EXPECT_EQ(along->height, 30);
    EXPECT_EQ(along->name, "w_edge");

    const auto across = buildCollisionEdge(polygon("x", {{5, 0, 0}, {5, 30, 40}, {5, 0, 40}}));
    ASSERT_TRUE(across.has_value());
    EXPECT_EQ(across->z1, 40);
    EXPECT_EQ(across->z2, 0);
    EXPECT_EQ(across->isVertical, 1);
    EXPECT_EQ(across->xIntercept, 5.0f);
    EXPECT_EQ(across->slope, 0.0f);
}

TEST(CollisionEdges, SlopesAreIntegerQuotients) {
    const auto steep = buildCollisionEdge(polygon("s", {{0, 0, 0}, {10, 50, 20}, {5, 0, 10}}));
    ASSERT_TRUE(steep.has_value());
    EXPECT_EQ(steep->slope, 2.0f);
    EXPECT_EQ(steep->intercept, 0.0f);
    EXPECT_EQ(steep->xIntercept, 0.0f);

    const auto shallow = buildCollisionEdge(polygon("h", {{0, 0, 10}, {20, 9, 15}, {20, 0, 15}}));
    ASSERT_TRUE(shallow.has_value());
    EXPECT_EQ(shallow->slope, 0.0f);
    EXPECT_EQ(shallow->isHorizontal, 1);

    const auto offset = buildCollisionEdge(polygon("o", {{10, 0, 0}, {20, 9, -30}, {15, 0, -15}}));
    ASSERT_TRUE(offset.has_value());
    EXPECT_EQ(offset->slope, -3.0f);
    EXPECT_EQ(offset->intercept, 30.0f);
    EXPECT_EQ(offset->xIntercept, 10.0f);
}

TEST(CollisionEdges, FloorsUseTheirFirstGroundSide) {
    const auto floor = buildCollisionEdge(polygon("f", {{0, 0, 0}, {10, 0, 0}, {0, 0, 10}}));
    ASSERT_TRUE(floor.has_value());
    EXPECT_EQ(floor->x1, 0);
    EXPECT_EQ(floor->z1, 0);
    EXPECT_EQ(floor->x2, 10);
    EXPECT_EQ(floor->z2, 0);

    const auto ramp = buildCollisionEdge(polygon("r", {{0, 5, 0}, {10, 0, 0}, {0, 0, 10}}));
    ASSERT_TRUE(ramp.has_value());
    EXPECT_EQ(ramp->x1, 10);
    EXPECT_EQ(ramp->z2, 10);
    EXPECT_EQ(ramp->maxY, 5);

    EXPECT_FALSE(buildCollisionEdge(polygon("roof", {{0, 50, 0}, {10, 50, 0}, {0, 50, 10}})));
}

TEST(CollisionEdges, HeightsAreTruncatedAndBounded) {
    const auto edge =
        buildCollisionEdge(polygon("w", {{0, -2.9f, 0}, {0, 12000, 0}, {20, 2.9f, 0}}));
    ASSERT_TRUE(edge.has_value());
    EXPECT_EQ(edge->minY, -2);
    EXPECT_EQ(edge->maxY, 12000);
    const auto high =
        buildCollisionEdge(polygon("w", {{0, 10000, 0}, {0, 12000, 0}, {20, 10000, 0}}));
    ASSERT_TRUE(high.has_value());
    EXPECT_EQ(high->minY, 9999);
    EXPECT_EQ(truncateToInt(1e20), 2147483647);
    EXPECT_EQ(truncateToInt(-2.9), -2);
    EXPECT_EQ(truncateToInt(std::nan("")), 0);
}

TEST(EdgeDump, WritesOneLinePerEdge) {
    std::ostringstream out;
    CollisionEdge edge;
    edge.x1 = 0;
    edge.z1 = -5;
    edge.x2 = 20;
    edge.z2 = 7;
    edge.maxY = 30;
    edge.slope = 1.5f;
    dumpEdge(edge, out);
    edge.isHorizontal = 1;
    dumpEdge(edge, out);
    edge.isVertical = 1;
    dumpEdge(edge, out);
    EXPECT_EQ(out.str(), "edge: (0, -5) (20,7) top: 30 slope = 1.5\n"
                         "edge: (0, -5) (20,7) top: 30 H\n"
                         "edge: (0, -5) (20,7) top: 30 V\n");
}

} // namespace
} // namespace velmora
