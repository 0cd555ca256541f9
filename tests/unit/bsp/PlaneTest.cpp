#include "bsp/Plane.h"
#include "BspTestSupport.h"

#include <gtest/gtest.h>

#include <array>

namespace velmora {
namespace {

using bsptest::corner;
using bsptest::facingX;
using bsptest::facingY;
using bsptest::facingZ;
using bsptest::triangle;

PlaneSide classify(const Surface& partition, float x, float y, float z) {
    return classifyPoint(partition, false, x, y, z);
}

TEST(PlaneOfVertices, NormalIsSecondEdgeCrossFirstEdge) {
    // u = (3, 4, 5), w = (1, -2, 4): w x u = (-26, 7, 10), d = -(n . p0) = -18. A fourth corner
    // is not read.
    const Plane plane =
        planeOfVertices({corner(1, 2, 3), corner(4, 6, 8), corner(2, 0, 7), corner(100, -50, 9)});
    EXPECT_EQ(plane.a, -26.0f);
    EXPECT_EQ(plane.b, 7.0f);
    EXPECT_EQ(plane.c, 10.0f);
    EXPECT_EQ(plane.d, -18.0f);
}

TEST(PlaneOfVertices, TooFewOrCollinearCornersGiveNoNormal) {
    EXPECT_TRUE(hasZeroNormal(planeOfVertices({corner(1, 2, 3), corner(4, 6, 8)})));
    EXPECT_TRUE(hasZeroNormal(planeOfVertices({})));
    EXPECT_TRUE(
        hasZeroNormal(planeOfVertices({corner(0, 0, 0), corner(1, 2, 3), corner(2, 4, 6)})));
    EXPECT_FALSE(
        hasZeroNormal(planeOfVertices({corner(0, 0, 0), corner(0, 1, 0), corner(1, 0, 0)})));
}

TEST(ClassifyPoint, XAndZFacingPlanesHaveABandOfTwoUnits) {
    const Surface wallX = facingX("wall_x", 10);
    EXPECT_EQ(classify(wallX, 11.9f, 0, 0), OnPlane);
    EXPECT_EQ(classify(wallX, 8.1f, 50, -50), OnPlane);
    EXPECT_EQ(classify(wallX, 12.0f, 0, 0), FarSide);
    EXPECT_EQ(classify(wallX, 8.0f, 0, 0), OriginSide);

    const Surface wallZ = facingZ("wall_z", 10);
    EXPECT_EQ(classify(wallZ, 0, 0, 11.9f), OnPlane);
    EXPECT_EQ(classify(wallZ, 0, 0, 12.0f), FarSide);
    EXPECT_EQ(classify(wallZ, 0, 0, 8.0f), OriginSide);
}

TEST(ClassifyPoint, YFacingPlanesHaveNoBand) {
    const Surface floor = facingY("floor", 10);
    EXPECT_EQ(classify(floor, 0, 10.1f, 0), FarSide);
    EXPECT_EQ(classify(floor, 0, 9.9f, 0), OriginSide);
    EXPECT_EQ(classify(floor, 30, 10.0f, -30), OnPlane);
}

TEST(ClassifyPoint, BeyondMeansAwayFromTheOriginOnEitherSide) {
    // With the plane on the negative side of the origin, more negative is beyond it.
    const Surface wall = facingX("wall", -10);
    EXPECT_EQ(classify(wall, -13, 0, 0), FarSide);
    EXPECT_EQ(classify(wall, -7, 0, 0), OriginSide);
    EXPECT_EQ(classify(wall, 40, 0, 0), OriginSide);
    EXPECT_EQ(classify(wall, -11, 0, 0), OnPlane);
}

TEST(ClassifyPoint, PlaneThroughTheOriginHasItsFarSideOnThePositiveAxis) {
    const Surface wall = facingX("wall", 0);
    EXPECT_EQ(classify(wall, 5, 0, 0), FarSide);
    EXPECT_EQ(classify(wall, -5, 0, 0), OriginSide);
    EXPECT_EQ(classify(wall, 1, 0, 0), OnPlane);
}

TEST(ClassifyPoint, SlopedPlaneThroughTheOriginIsTestedOnX) {
    // x + 2z = 0: both intercepts are 0, and a tie goes to x. On x the point (3, 0, 0) lies
    // 3 units out; on z it would lie 1.5 units out, inside the band.
    const Surface slope = triangle("slope", corner(0, 0, 0), corner(0, 1, 0), corner(2, 0, -1));
    EXPECT_EQ(classify(slope, 3, 0, 0), FarSide);
    EXPECT_EQ(classify(slope, -3, 0, 0), OriginSide);
}

TEST(ClassifyPoint, ReversedWindingGivesTheSameClasses) {
    const std::array<Surface, 4> partitions = {
        facingX("x", 10), facingY("y", -4),
        triangle("slope", corner(30, 0, 0), corner(0, 3, 0), corner(0, 0, 15)),
        triangle("slope_back", corner(-12, 5, 3), corner(4, -7, 20), corner(9, 11, -6))};
    for (const Surface& partition : partitions) {
        const Surface reversed = triangle("reversed", partition.vertices[2], partition.vertices[1],
                                          partition.vertices[0]);
        for (float x = -40; x <= 40; x += 3.5f) {
            for (float y = -20; y <= 20; y += 4.5f) {
                for (float z = -40; z <= 40; z += 5.5f) {
                    ASSERT_EQ(classify(partition, x, y, z), classify(reversed, x, y, z))
                        << partition.name << " at " << x << ", " << y << ", " << z;
                }
            }
        }
    }
}

TEST(ClassifyPoint, SlopedPlanesAreNeverTestedOnY) {
    // x + 10y + z = 30: b dominates, yet the x axis decides (equal x and z intercepts pick x).
    // On y the point lies 0.1 short of the plane; on x it is 1 unit inside the band.
    const Surface slopeX = triangle("slope_x", corner(30, 0, 0), corner(0, 3, 0), corner(0, 0, 30));
    EXPECT_EQ(classify(slopeX, 0, 2.9f, 0), OnPlane);
    EXPECT_EQ(classify(slopeX, 0, 3.25f, 0), FarSide);

    // x + 10y + 2z = 30: the z intercept (15) is nearer the origin than the x intercept (30),
    // so z decides. The point's intercepts are 27 on x (outside the band), 13.5 on z (inside).
    const Surface slopeZ = triangle("slope_z", corner(30, 0, 0), corner(0, 3, 0), corner(0, 0, 15));
    EXPECT_EQ(classify(slopeZ, 27, 0, 0), OnPlane);
    EXPECT_EQ(classify(slopeZ, 0, 0, 12), OriginSide);
}

TEST(ClassifyPoint, SelectsWorldOrViewCorners) {
    Surface wall = facingX("wall", 10);
    for (Vertex& view : wall.viewVertices) {
        view.x = -10;
    }
    EXPECT_EQ(classifyPoint(wall, false, 15, 0, 0), FarSide);
    EXPECT_EQ(classifyPoint(wall, true, 15, 0, 0), OriginSide);
    EXPECT_EQ(classifyPoint(wall, true, -15, 0, 0), FarSide);
}

TEST(ClassifyPoint, PartitionWithoutAPlaneClassesEverythingOnPlane) {
    Surface line = triangle("line", corner(0, 0, 0), corner(1, 2, 3), corner(2, 4, 6));
    EXPECT_EQ(classify(line, 50, 0, 0), OnPlane);
    Surface stub;
    stub.addCorner(corner(10, 0, 0));
    EXPECT_EQ(classify(stub, 50, 0, 0), OnPlane);
    EXPECT_EQ(classifyPoint(Surface{}, true, 50, 0, 0), OnPlane);
}

TEST(CompareIntercepts, OnlyXAndZHaveTheBand) {
    // Intercepts: the partition's at 10, the point plane's at 10.5.
    const Plane partition{1, 1, 1, -10};
    const Plane point{-1, -1, -1, 10.5f};
    EXPECT_EQ(compareInterceptsX(point, partition), OnPlane);
    EXPECT_EQ(compareInterceptsZ(point, partition), OnPlane);
    EXPECT_EQ(compareInterceptsY(point, partition), FarSide);
}

TEST(IntersectLineWithPlane, FindsTheCrossing) {
    const Plane wall{-1, 0, 0, 10}; // x = 10
    const Vertex hit = intersectLineWithPlane(wall, {0, 0, 0, 20, 4, -8});
    EXPECT_EQ(hit, corner(10, 2, -4));
    const Vertex beyond = intersectLineWithPlane(wall, {30, 1, 1, -10, 0, 0});
    EXPECT_EQ(beyond, corner(10, 1, 1));
}

TEST(IntersectLineWithPlane, ParallelLineGivesItsStart) {
    const Plane wall{-1, 0, 0, 10};
    EXPECT_EQ(intersectLineWithPlane(wall, {3, 4, 5, 0, 7, 9}), corner(3, 4, 5));
}

} // namespace
} // namespace velmora
