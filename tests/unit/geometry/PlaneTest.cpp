#include "geometry/Plane.h"
#include "BspTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

namespace velmora {
namespace {

using bsptest::facingX;
using bsptest::triangle;

using Probe = std::tuple<float, float, float, PlaneSide>;

TEST(ClassifyPoint, BandAxisAndSidesDoNotDependOnWindingAndNeedAPlane) {
    // Each partition with points that tell its axis, band and far direction apart.
    Surface stub;
    stub.addCorner({10, 0, 0});
    const std::vector<std::pair<Surface, std::vector<Probe>>> cases = {
        // Walls facing x and z: intercepts less than 2.0 apart are on the plane.
        {facingX("x=10", 10), {{11.9f, 0, 0, OnPlane}, {8.1f, 5, 5, OnPlane}, {12, 0, 0, FarSide}}},
        {triangle("z=10", {0, 0, 10}, {1, 0, 10}, {0, 1, 10}),
         {{0, 0, 11.9f, OnPlane}, {0, 0, 12, FarSide}, {0, 0, 8, OriginSide}}},
        // Floors have no band.
        {triangle("y=10", {0, 10, 0}, {1, 10, 0}, {0, 10, 1}),
         {{0, 10.1f, 0, FarSide}, {0, 9.9f, 0, OriginSide}, {30, 10, -30, OnPlane}}},
        {triangle("y=-10", {0, -10, 0}, {1, -10, 0}, {0, -10, 1}),
         {{0, -10.1f, 0, FarSide}, {0, -9.9f, 0, OriginSide}, {0, -10, 0, OnPlane}}},
        // On the negative side of the origin, more negative is beyond.
        {facingX("x=-10", -10),
         {{-13, 0, 0, FarSide}, {-7, 0, 0, OriginSide}, {-11, 0, 0, OnPlane}}},
        // Through the origin, the positive axis is beyond.
        {facingX("x=0", 0), {{5, 0, 0, FarSide}, {-5, 0, 0, OriginSide}, {1, 0, 0, OnPlane}}},
        // x + 2z = 0: a tie of intercepts goes to x, where (3, 0, 0) lies outside the band.
        {triangle("x+2z=0", {0, 0, 0}, {0, 1, 0}, {2, 0, -1}),
         {{3, 0, 0, FarSide}, {-3, 0, 0, OriginSide}}},
        // x + 10y + z = 30: b dominates, yet x decides; on y these points would be off the plane.
        {triangle("x+10y+z=30", {30, 0, 0}, {0, 3, 0}, {0, 0, 30}),
         {{0, 2.9f, 0, OnPlane}, {0, 3.25f, 0, FarSide}}},
        // x + 10y + 2z = 30 and x + 2z = 30: z's intercept is nearer the origin, so z decides.
        {triangle("x+10y+2z=30", {30, 0, 0}, {0, 3, 0}, {0, 0, 15}),
         {{27, 0, 0, OnPlane}, {0, 0, 12, OriginSide}}},
        {triangle("x+2z=30", {30, 0, 0}, {30, 5, 0}, {0, 0, 15}), {{27, 0, 0, OnPlane}}},
        // x + 10y = 30 (c = 0) is tested on x; y + z = 10 (a = 0) on y, without a band.
        {triangle("x+10y=30", {30, 0, 0}, {0, 3, 0}, {30, 0, 1}),
         {{0, 3.1f, 0, OnPlane}, {0, 3.25f, 0, FarSide}}},
        {triangle("y+z=10", {0, 10, 0}, {1, 10, 0}, {0, 0, 10}),
         {{0, 10.5f, 0, FarSide}, {0, 9.5f, 0, OriginSide}}},
        // Collinear or missing corners divide nothing.
        {triangle("line", {0, 0, 0}, {1, 2, 3}, {2, 4, 6}), {{50, 0, 0, OnPlane}}},
        {stub, {{50, 0, 0, OnPlane}}},
        {Surface{}, {{50, 0, 0, OnPlane}}},
    };
    for (const auto& [partition, probes] : cases) {
        Surface reversed = partition;
        std::ranges::reverse(reversed.vertices);
        for (const auto& [x, y, z, side] : probes) {
            SCOPED_TRACE(testing::Message()
                         << partition.name << " at " << x << ", " << y << ", " << z);
            EXPECT_EQ(classifyPoint(partition, false, x, y, z), side);
            EXPECT_EQ(classifyPoint(reversed, false, x, y, z), side) << "reversed winding";
        }
    }
}

TEST(ClassifyPoint, ReadsTheSelectedList) {
    Surface wall = facingX("wall", 10);
    wall.setViewFromWorld({-20, 0, 0}); // view corners at x = -10
    EXPECT_EQ(classifyPoint(wall, false, 15, 0, 0), FarSide);
    EXPECT_EQ(classifyPoint(wall, true, 15, 0, 0), OriginSide);
}

TEST(PlaneMath, NormalIsSecondEdgeCrossFirstAndLinesMeetThePlane) {
    // u = (3, 4, 5), w = (1, -2, 4): w x u = (-26, 7, 10), d = -18; the fourth corner is unread.
    const Plane p = planeOfVertices({{1, 2, 3}, {4, 6, 8}, {2, 0, 7}, {100, -50, 9}});
    EXPECT_EQ((std::vector<float>{p.a, p.b, p.c, p.d}), (std::vector<float>{-26, 7, 10, -18}));

    const Plane wall{-1, 0, 0, 10}; // x = 10
    EXPECT_EQ(intersectLineWithPlane(wall, {0, 0, 0, 20, 4, -8}), (Vertex{10, 2, -4}));
    EXPECT_EQ(intersectLineWithPlane(wall, {3, 4, 5, 0, 7, 9}), (Vertex{3, 4, 5})); // parallel
}

} // namespace
} // namespace velmora
