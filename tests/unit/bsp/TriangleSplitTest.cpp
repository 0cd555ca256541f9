#include "bsp/TriangleSplit.h"
#include "BspTestSupport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace velmora {
namespace {

using bsptest::corner;
using bsptest::facingX;
using bsptest::triangle;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

// The cutting wall x = 10; its view corners lie elsewhere, since a split must use world space.
Surface wallAtTen() {
    Surface wall = facingX("wall", 10);
    for (Vertex& view : wall.viewVertices) {
        view.x = 500;
    }
    return wall;
}

Surface texturedTriangle(const Vertex& t0, const Vertex& t1, const Vertex& t2) {
    Surface surface = triangle("tri", t0, t1, t2);
    surface.fillType = kTextureFill;
    surface.colorName = "SAND";
    surface.textureName = "bricks";
    surface.writesDepth = 0;
    return surface;
}

// Every part keeps the triangle's fill and flags, and holds the same corners in both lists.
void expectCarriesTheTriangle(const Surface& part) {
    EXPECT_EQ(part.fillType, kTextureFill);
    EXPECT_EQ(part.colorName, "SAND");
    EXPECT_EQ(part.textureName, "bricks");
    EXPECT_EQ(part.writesDepth, 0);
    EXPECT_EQ(part.viewVertices, part.vertices);
}

struct SplitResult {
    std::vector<Surface> originParts;
    std::vector<Surface> farParts;
};

SplitResult split(const Surface& tri, const CornerClasses& classes) {
    SplitResult result;
    splitTriangle(tri, wallAtTen(), classes, result.originParts, result.farParts);
    for (const Surface& part : result.originParts) {
        expectCarriesTheTriangle(part);
    }
    for (const Surface& part : result.farParts) {
        expectCarriesTheTriangle(part);
    }
    return result;
}

TEST(SplitTriangle, OneCornerOnTheOriginSide) {
    const Vertex t0 = corner(20, 0, 0, 1, 2);
    const Vertex t1 = corner(0, 0, 0, 3, 4);
    const Vertex t2 = corner(20, 0, 10, 5, 6);
    const SplitResult parts = split(texturedTriangle(t0, t1, t2), {FarSide, OriginSide, FarSide});

    const Vertex i10 = corner(10, 0, 0);
    const Vertex i12 = corner(10, 0, 5);
    ASSERT_EQ(parts.originParts.size(), 1u);
    EXPECT_EQ(parts.originParts[0].name, "tri_near_part");
    EXPECT_THAT(parts.originParts[0].vertices, ElementsAre(t1, i10, i12));
    ASSERT_EQ(parts.farParts.size(), 2u);
    EXPECT_EQ(parts.farParts[0].name, "tri_part_1");
    EXPECT_THAT(parts.farParts[0].vertices, ElementsAre(i10, t0, t2));
    EXPECT_EQ(parts.farParts[1].name, "tri_part_2");
    EXPECT_THAT(parts.farParts[1].vertices, ElementsAre(i10, i12, t2));
}

TEST(SplitTriangle, OneCornerOnTheFarSide) {
    const Vertex t0 = corner(0, 0, 0, 1, 1);
    const Vertex t1 = corner(0, 0, 8, 2, 2);
    const Vertex t2 = corner(20, 0, 0, 3, 3);
    const SplitResult parts =
        split(texturedTriangle(t0, t1, t2), {OriginSide, OriginSide, FarSide});

    const Vertex i20 = corner(10, 0, 0);
    const Vertex i21 = corner(10, 0, 4);
    ASSERT_EQ(parts.originParts.size(), 2u);
    EXPECT_EQ(parts.originParts[0].name, "tri_part_1");
    EXPECT_THAT(parts.originParts[0].vertices, ElementsAre(i20, t0, t1));
    EXPECT_EQ(parts.originParts[1].name, "tri_part_2");
    EXPECT_THAT(parts.originParts[1].vertices, ElementsAre(i20, i21, t1));
    ASSERT_EQ(parts.farParts.size(), 1u);
    EXPECT_EQ(parts.farParts[0].name, "tri_near_part");
    EXPECT_THAT(parts.farParts[0].vertices, ElementsAre(t2, i20, i21));
}

TEST(SplitTriangle, CutThroughACornerGivesOneNearPartPerSide) {
    const Vertex t0 = corner(10, 0, 0, 7, 7);
    const Vertex t1 = corner(0, 0, 0, 8, 8);
    const Vertex t2 = corner(20, 0, 6, 9, 9);
    const SplitResult parts = split(texturedTriangle(t0, t1, t2), {OnPlane, OriginSide, FarSide});

    const Vertex crossing = corner(10, 0, 3);
    ASSERT_EQ(parts.originParts.size(), 1u);
    EXPECT_EQ(parts.originParts[0].name, "tri_near_part");
    EXPECT_THAT(parts.originParts[0].vertices, ElementsAre(t0, t1, crossing));
    ASSERT_EQ(parts.farParts.size(), 1u);
    EXPECT_EQ(parts.farParts[0].name, "tri_near_part");
    EXPECT_THAT(parts.farParts[0].vertices, ElementsAre(t0, t2, crossing));
}

TEST(SplitTriangle, CrossingsRunFromTheLoneCornerOutwards) {
    // A sloped partition and corners for which float rounding makes the crossing depend on the
    // direction in which the edge is followed.
    Surface slope = triangle("slope", corner(10, 0, 0), corner(13, 7, 1), corner(9, 2, 5));
    const Plane plane = planeOfVertices(slope.vertices);
    const Vertex lone = corner(2, 2, 5);
    const Vertex f1 = corner(21, -2, -4);
    const Vertex f2 = corner(24, -4, 0);
    auto along = [&](const Vertex& from, const Vertex& to) {
        return intersectLineWithPlane(
            plane, {from.x, from.y, from.z, to.x - from.x, to.y - from.y, to.z - from.z});
    };
    const Vertex i1 = along(lone, f1);
    const Vertex i2 = along(lone, f2);
    ASSERT_NE(i1, along(f1, lone)) << "the corners no longer tell the directions apart";

    std::vector<Surface> originParts;
    std::vector<Surface> farParts;
    splitTriangle(triangle("tri", lone, f1, f2), slope, {OriginSide, FarSide, FarSide}, originParts,
                  farParts);
    ASSERT_EQ(originParts.size(), 1u);
    EXPECT_THAT(originParts[0].vertices, ElementsAre(lone, i1, i2));
    ASSERT_EQ(farParts.size(), 2u);
    EXPECT_THAT(farParts[0].vertices, ElementsAre(i1, f1, f2));
    EXPECT_THAT(farParts[1].vertices, ElementsAre(i1, i2, f2));
}

TEST(SplitTriangle, AppendsBehindExistingPartsAndExtendsNames) {
    // A part split again further down the tree gets a second suffix.
    Surface part = texturedTriangle(corner(0, 0, 0), corner(20, 0, 0), corner(20, 0, 4));
    part.name = "tri_part_1";
    std::vector<Surface> originParts(1);
    std::vector<Surface> farParts;
    splitTriangle(part, wallAtTen(), {OriginSide, FarSide, FarSide}, originParts, farParts);
    ASSERT_EQ(originParts.size(), 2u);
    EXPECT_EQ(originParts[1].name, "tri_part_1_near_part");
    EXPECT_THAT(bsptest::namesOf(farParts), ElementsAre("tri_part_1_part_1", "tri_part_1_part_2"));
}

TEST(SplitTriangle, SurfaceWithTooFewCornersGivesNothing) {
    Surface stub = texturedTriangle(corner(0, 0, 0), corner(20, 0, 0), corner(20, 0, 4));
    stub.vertices.pop_back();
    stub.viewVertices.pop_back();
    const SplitResult parts = split(stub, {OriginSide, FarSide, FarSide});
    EXPECT_THAT(parts.originParts, IsEmpty());
    EXPECT_THAT(parts.farParts, IsEmpty());
}

TEST(PartBuilders, NeedACornerOnTheOriginSide) {
    const Surface tri = texturedTriangle(corner(0, 0, 0), corner(20, 0, 0), corner(20, 0, 4));
    const Plane wall = planeOfVertices(wallAtTen().vertices);
    std::vector<Surface> out;
    makeSingleVertexPart(tri, {FarSide, FarSide, OnPlane}, wall, out);
    makeTwoVertexParts(tri, {FarSide, OnPlane, FarSide}, wall, out);
    EXPECT_THAT(out, IsEmpty());
}

} // namespace
} // namespace velmora
