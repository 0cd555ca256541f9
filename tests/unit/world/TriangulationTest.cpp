#include "world/Triangulation.h"

#include "bsp/EdgeDump.h"
#include "geometry/CollisionEdge.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

namespace velmora {
namespace {

Surface polygon(std::initializer_list<Vertex> corners, const std::string& name = "s") {
    Surface surface;
    surface.name = name;
    for (const Vertex& corner : corners) {
        surface.addCorner(corner);
    }
    return surface;
}

// The edge as the edge listing shows it, or "none".
std::string edgeOf(std::initializer_list<Vertex> corners) {
    const std::optional<CollisionEdge> edge = buildCollisionEdge(polygon(corners));
    if (!edge) {
        return "none";
    }
    std::ostringstream out;
    dumpEdge(*edge, out);
    return out.str();
}

TEST(SplitQuads, PolygonsBecomeTrianglesInPlace) {
    std::vector<Surface> list = {
        polygon({{0, 0, 0}, {10, 0, 0}, {10, 10, 0}, {0, 10, 0}}, "q"),
        polygon({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, "t"),
        polygon({{0, 0, 0}, {2, 0, 0}, {3, 1, 0}, {1, 2, 0}, {-1, 1, 0}}, "pent"),
    };
    list[0].textureName = "tex";
    list[0].fillType = kTextureFill;
    splitQuadsIntoTriangles(list);
    const std::vector<std::vector<Vertex>> expected = {
        {{0, 10, 0}, {10, 10, 0}, {0, 0, 0}}, {{0, 0, 0}, {10, 0, 0}, {10, 10, 0}},
        {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}},    {{0, 0, 0}, {2, 0, 0}, {3, 1, 0}},
        {{0, 0, 0}, {3, 1, 0}, {1, 2, 0}},    {{0, 0, 0}, {1, 2, 0}, {-1, 1, 0}},
    };
    ASSERT_EQ(list.size(), expected.size());
    for (std::size_t i = 0; i < list.size(); ++i) {
        EXPECT_EQ(list[i].vertices, expected[i]) << i;
        EXPECT_EQ(list[i].viewVertices, expected[i]) << i;
    }
    EXPECT_EQ(list[1].name, "q");
    EXPECT_EQ(list[1].textureName, "tex");
    EXPECT_EQ(list[1].fillType, kTextureFill);
    EXPECT_EQ(list[5].name, "pent");
}

TEST(CollisionEdges, WallsGiveTheirFootprintAndFloorsTheirGroundSide) {
    // Walls: from least to greatest x, or along z from greatest to least z; ties keep the first.
    EXPECT_EQ(edgeOf({{0, 0, 0}, {0, 30, 0}, {20, 0, 0}}), "edge: (0, 0) (20,0) top: 30 H\n");
    EXPECT_EQ(edgeOf({{5, 0, 0}, {5, 30, 40}, {5, 0, 40}}), "edge: (5, 40) (5,0) top: 30 V\n");
    EXPECT_EQ(edgeOf({{0, 0, 0}, {10, 50, 20}, {5, 0, 10}}),
              "edge: (0, 0) (10,20) top: 50 slope = 2\n");
    // Rising by less than it runs makes an integer slope of 0: horizontal.
    EXPECT_EQ(edgeOf({{0, 0, 10}, {20, 9, 15}, {20, 0, 15}}), "edge: (0, 10) (20,15) top: 9 H\n");
    // Along z the third corner may stray less than 0.2 in x.
    EXPECT_EQ(edgeOf({{0, 0, 0}, {0, 9, 10}, {0.1f, 9, 20}}), "edge: (0, 0) (0,20) top: 9 V\n");
    // Not walls: the first side on the ground, or nothing.
    EXPECT_EQ(edgeOf({{0, 0, 0}, {10, 0, 0}, {0, 0, 10}}), "edge: (0, 0) (10,0) top: 0 H\n");
    EXPECT_EQ(edgeOf({{0, 5, 0}, {10, 0, 0}, {0, 0, 10}}),
              "edge: (10, 0) (0,10) top: 5 slope = -1\n");
    EXPECT_EQ(edgeOf({{0, 0, 0}, {0, 9, 10}, {0.3f, 9, 20}}), "none");
    EXPECT_EQ(edgeOf({{0, 50, 0}, {10, 50, 0}, {0, 50, 10}}), "none");
}

TEST(CollisionEdges, DerivedFields) {
    const auto sloped = buildCollisionEdge(polygon({{10, 0, 0}, {20, 9, -30}, {15, 0, -15}}));
    ASSERT_TRUE(sloped.has_value());
    EXPECT_EQ(sloped->slope, -3.0f);
    EXPECT_EQ(sloped->intercept, 30.0f);
    EXPECT_EQ(sloped->xIntercept, 10.0f);
    EXPECT_EQ(sloped->isVertical, 0);
    EXPECT_EQ(sloped->isHorizontal, 0);
    EXPECT_EQ(sloped->name, "s_edge");

    const auto along = buildCollisionEdge(polygon({{5, 0, 0}, {5, 30, 40}, {5, 0, 40}}));
    EXPECT_EQ(along->xIntercept, 5.0f);
    EXPECT_EQ(along->slope, 0.0f);

    // Heights are cut toward zero and searched from 9999 and -9999.
    const auto tall = buildCollisionEdge(polygon({{0, -2.9f, 0}, {0, 12000, 0}, {20, 2.9f, 0}}));
    EXPECT_EQ(tall->minY, -2);
    EXPECT_EQ(tall->maxY, 12000);
    EXPECT_EQ(tall->height, 12002);
    const auto high = buildCollisionEdge(polygon({{0, 10000, 0}, {0, 12000, 0}, {20, 10000, 0}}));
    EXPECT_EQ(high->minY, 9999);
}

TEST(Truncation, CutsTowardZeroAndClamps) {
    EXPECT_EQ(truncateToInt(-2.9), -2);
    EXPECT_EQ(truncateToInt(2.9), 2);
    EXPECT_EQ(truncateToInt(1e20), 2147483647);
    EXPECT_EQ(truncateToInt(-1e20), -2147483647 - 1);
    EXPECT_EQ(truncateToInt(std::nan("")), 0);
}

} // namespace
} // namespace velmora
