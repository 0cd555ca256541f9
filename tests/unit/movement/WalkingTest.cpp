#include "movement/Walking.h"
#include "movement/Collision.h"
#include "FakeHost.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace velmora {
namespace {

struct Heights {
    int minY;
    int maxY;
};
constexpr Heights kWall{0, 100};
constexpr Heights kLedge20{0, 20};

CollisionEdge withHeights(CollisionEdge edge, Heights h) {
    edge.minY = h.minY;
    edge.maxY = h.maxY;
    edge.height = h.maxY - h.minY;
    return edge;
}

CollisionEdge span(int x1, int z1, int x2, int z2) {
    CollisionEdge edge;
    edge.x1 = x1;
    edge.z1 = z1;
    edge.x2 = x2;
    edge.z2 = z2;
    return edge;
}

// An edge of constant x from z1 to z2.
CollisionEdge vertical(int x, int z1, int z2, Heights h = kWall) {
    CollisionEdge edge = span(x, z1, x, z2);
    edge.isVertical = 1;
    return withHeights(edge, h);
}

// An edge of constant z from x1 to x2.
CollisionEdge horizontal(int z, int x1, int x2, Heights h = kWall) {
    CollisionEdge edge = span(x1, z, x2, z);
    edge.isHorizontal = 1;
    return withHeights(edge, h);
}

// A sloped edge: its line z = slope * x + intercept meets z = 0 at xIntercept.
CollisionEdge sloped(int x1, int z1, int x2, int z2, Heights h = kWall) {
    CollisionEdge edge = span(x1, z1, x2, z2);
    edge.slope = float(z2 - z1) / float(x2 - x1);
    edge.intercept = float(z1) - float(x1) * edge.slope;
    edge.xIntercept = -edge.intercept / edge.slope;
    return withHeights(edge, h);
}

// A step across the edge at x 100 (z 0 to 50), from the eye height yo.
StepProbe across(int yo) {
    return {96, yo, 20, 103, 20};
}

TEST(EdgeBlocksStep, WallsLedgesAndWhatEachEdgeKindCountsAsCrossing) {
    const struct {
        const char* what;
        CollisionEdge edge;
        StepProbe step;
        bool blocked;
        int eye;
    } cases[] = {
        {"wall", vertical(100, 0, 50), across(55), true, 55},
        {"ledge of 20 lifts the eye", vertical(100, 0, 50, kLedge20), across(55), false, 75},
        {"ledge of 21 is a wall", vertical(100, 0, 50, {0, 21}), across(55), true, 55},
        {"down off a ledge", vertical(100, 0, 50, kLedge20), across(75), false, 55},
        {"edge from 110 up is out of reach", vertical(100, 0, 50, {110, 200}), across(55), false,
         55},
        {"passing underneath", vertical(100, 0, 50, {56, 100}), across(55), false, 55},
        {"overhang down to eye height", vertical(100, 0, 50, {55, 100}), across(55), true, 55},
        // Vertical: the z span is tested at the old position only.
        {"old z outside the span", vertical(100, 0, 50), {96, 55, 53, 103, 45}, false, 55},
        {"old z on the span's end", vertical(100, 0, 50), {96, 55, 50, 103, 45}, true, 55},
        {"reaching the line from below", vertical(100, 0, 50), {90, 55, 20, 100, 20}, true, 55},
        {"reaching the line from above", vertical(100, 0, 50), {104, 55, 20, 100, 20}, true, 55},
        {"short of the line", vertical(100, 0, 50), {104, 55, 20, 101, 20}, false, 55},
        {"from the line away to +x", vertical(100, 0, 50), {100, 55, 20, 110, 20}, false, 55},
        {"horizontal from below", horizontal(200, 0, 100), {50, 55, 195, 50, 205}, true, 55},
        {"horizontal from above", horizontal(200, 0, 100), {50, 55, 205, 50, 195}, true, 55},
        {"horizontal not reached", horizontal(200, 0, 100), {50, 55, 190, 50, 199}, false, 55},
        {"horizontal, old x outside", horizontal(200, 0, 100), {101, 55, 195, 99, 205}, false, 55},
        // Slope 5 (line x = 15 at z = 25): the z span decides.
        {"steep from -x", sloped(10, 0, 20, 50), {10, 55, 25, 20, 25}, true, 55},
        {"steep from +x", sloped(10, 0, 20, 50), {20, 55, 25, 10, 25}, true, 55},
        {"steep not reached", sloped(10, 0, 20, 50), {10, 55, 25, 14, 25}, false, 55},
        {"steep, old x outside", sloped(10, 0, 20, 50), {21, 55, 45, 15, 45}, true, 55},
        {"steep, old z outside", sloped(10, 0, 20, 50), {25, 55, 60, 15, 60}, false, 55},
        // Slope 0.5 (line z = 125 at x = 50): the x span decides.
        {"shallow from -z", sloped(0, 100, 100, 150), {50, 55, 120, 50, 130}, true, 55},
        {"shallow from +z", sloped(0, 100, 100, 150), {50, 55, 130, 50, 120}, true, 55},
        {"shallow not reached", sloped(0, 100, 100, 150), {50, 55, 120, 50, 124}, false, 55},
        {"shallow, old z outside", sloped(0, 100, 100, 150), {2, 55, 96, 2, 106}, true, 55},
        {"shallow, old x outside", sloped(0, 100, 100, 150), {110, 55, 150, 110, 160}, false, 55},
        {"slope -1 one way", sloped(0, 100, 100, 0), {45, 55, 50, 52, 57}, true, 55},
        {"slope -1 other way", sloped(0, 100, 100, 0), {52, 55, 57, 45, 50}, true, 55},
    };
    for (const auto& c : cases) {
        int eye = c.step.yo;
        EXPECT_EQ(edgeBlocksStep(c.edge, c.step, eye), c.blocked) << c.what;
        EXPECT_EQ(eye, c.eye) << c.what;
    }
}

TEST(StepBlocked, EveryEdgeSeesTheOldHeightAndTheLastHeightWins) {
    const CollisionEdge ledge20 = vertical(100, 0, 50, kLedge20);
    const CollisionEdge ledge10 = vertical(100, 0, 50, {0, 10});
    const CollisionEdge elsewhere = vertical(300, 0, 50);
    const struct {
        std::vector<CollisionEdge> edges;
        bool blocked;
        int eye;
    } cases[] = {
        {{ledge20, ledge10}, false, 65},
        {{ledge10, ledge20}, false, 75},
        {{elsewhere, ledge20}, false, 75},
        // The ledge has lifted the eye before the wall refuses the step.
        {{ledge20, vertical(100, 0, 50)}, true, 75},
    };
    for (const auto& c : cases) {
        int eye = 55;
        EXPECT_EQ(stepBlocked(c.edges, {}, across(55), eye), c.blocked) << c.eye;
        EXPECT_EQ(eye, c.eye);
    }
}

TEST(StepBlocked, AFigureWithin19OnBothViewAxesIsInTheWay) {
    const struct {
        Vertex view;
        bool blocked;
    } cases[] = {
        {{19, 0, 19}, true},  {{-19, 0, -19}, true},   {{-19.9f, 0, 19.9f}, true},
        {{0, 300, 0}, true},  {{20, 0, 0}, false},     {{0, 0, -20}, false},
        {{19, 0, 20}, false}, {{-20.5f, 0, 5}, false},
    };
    for (const auto& c : cases) {
        for (const StepProbe& step : {StepProbe{0, 55, 0, 0, 10}, StepProbe{0, 55, 0, 0, -10}}) {
            int eye = 55;
            const Vertex figures[] = {{500, 0, 500}, c.view};
            EXPECT_EQ(stepBlocked({}, figures, step, eye), c.blocked)
                << c.view.x << ", " << c.view.z << " stepping to z " << step.zn;
        }
    }
}

TEST(Walking, StepsLandOnWholeUnitsAndTheGroundFollowsAcceptedStepsOnly) {
    const std::vector<CollisionEdge> none;
    const std::vector<CollisionEdge> ledge{vertical(5, -50, 50, kLedge20)};
    const std::vector<CollisionEdge> ledgeThenWall{vertical(5, -50, 50, kLedge20),
                                                   vertical(5, -50, 50)};
    const std::vector<Vertex> nearFigure{{0, 0, 15}};
    const struct {
        Vertex from;
        float heading;
        bool forward;
        const std::vector<CollisionEdge>& edges;
        std::vector<Vertex> figures;
        Vertex to;
        float scrollX, scrollZ;
    } cases[] = {
        {{0, 55, 0}, 0, true, none, {}, {0, 55, 10}, 0, 10},
        {{0, 55, 0}, 45, true, none, {}, {7, 55, 7}, 7, 7},
        {{0, 55, 0}, 45, false, none, {}, {-7, 55, -7}, -7, -7},
        // The world's degree factor is a little over pi/180: 10 sin a stays under 10 at 90,
        // and heading 180 and 360 are a hair past the axis.
        {{0, 55, 0}, 90, true, none, {}, {9, 55, 0}, 9, 0},
        {{0, 55, 0}, 180, true, none, {}, {0, 55, -9}, 0, -9},
        {{0, 55, 0}, 360, true, none, {}, {0, 55, 9}, 0, 9},
        // Toward zero, not down: 5 - 7.07 is -2 and 3 - 7.07 is -4.
        {{5, 55, 3}, 45, false, none, {}, {-2, 55, -4}, -7, -7},
        {{2800, 55, 0}, 0, true, none, {}, {2800, 55, 0}, 0, 0},
        {{2800, 55, 0}, 0, false, none, {}, {2800, 55, -10}, 0, -10},
        {{2799.5f, 55, 0}, 0, true, none, {}, {2799, 55, 10}, 0, 10},
        {{0, 55, 0}, 0, true, none, nearFigure, {0, 55, 0}, 0, 0},
        {{0, 55, 0}, 180, false, none, nearFigure, {0, 55, 0}, 0, 0},
        {{0, 55, 0}, 90, true, ledge, {}, {9, 75, 0}, 9, 0},
        // Refused, but the eye keeps the height the ledge gave it.
        {{0, 55, 0}, 90, true, ledgeThenWall, {}, {0, 75, 0}, 0, 0},
    };
    test::FakeHost host;
    SoundManager silent(host, nullptr, nullptr);
    for (const auto& c : cases) {
        GroundGrid grid("LT_GRAY", "LT_GRAY_1");
        const WalkingScene scene{c.edges, c.figures, &grid, silent};
        Vertex camera = c.from;
        (c.forward ? stepForward : stepBackward)(camera, c.heading, scene);
        const std::string what = std::string(c.forward ? "forward" : "backward") + " at " +
                                 std::to_string(c.heading) + " from x " + std::to_string(c.from.x);
        EXPECT_EQ(camera.x, c.to.x) << what;
        EXPECT_EQ(camera.y, c.to.y) << what;
        EXPECT_EQ(camera.z, c.to.z) << what;
        EXPECT_EQ(grid.scrollX(), c.scrollX) << what;
        EXPECT_EQ(grid.scrollZ(), c.scrollZ) << what;
    }
}

TEST(Walking, TurningWrapsOnceWithStrictComparisons) {
    const struct {
        float from, delta, to;
    } cases[] = {{358, 2, 360}, {360, 2, 2},  {359, 2, 1},    {0, -2, 358},
                 {2, -2, 0},    {1, -2, 359}, {360, -2, 358}, {0, 2, 2}};
    for (const auto& c : cases) {
        EXPECT_EQ(turnHeading(c.from, c.delta), c.to) << c.from << " + " << c.delta;
    }
}

} // namespace
} // namespace velmora
