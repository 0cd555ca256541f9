#include "movement/Walking.h"
#include "movement/Collision.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace velmora {
namespace {

// The edge from (x1, z1) to (x2, z2), standing from minY to maxY: constant x makes it vertical,
// constant z horizontal, anything else sloped along z = slope * x + intercept.
CollisionEdge edge(int x1, int z1, int x2, int z2, int minY = 0, int maxY = 100) {
    const bool sloped = x1 != x2 && z1 != z2;
    const float slope = sloped ? float(z2 - z1) / float(x2 - x1) : 0.0f;
    const float intercept = float(z1) - float(x1) * slope;
    // In the order of CollisionEdge's fields.
    return {minY, maxY,     maxY - minY, x1,    z1,        x2,
            z2,   x1 == x2, z1 == z2,    slope, intercept, sloped ? -intercept / slope : 0.0f,
            {}};
}

// The wall at x 100 from z 0 to 50, of other heights.
CollisionEdge at100(int minY, int maxY) {
    return edge(100, 0, 100, 50, minY, maxY);
}

TEST(StepBlocked, WallsLedgesFiguresAndWhatEachEdgeKindCountsAsCrossing) {
    const CollisionEdge wall = at100(0, 100), ledge20 = at100(0, 20), ledge10 = at100(0, 10),
                        steep = edge(10, 0, 20, 50), shallow = edge(0, 100, 100, 150),
                        level = edge(0, 200, 100, 200);
    const StepProbe across{96, 55, 20, 103, 20};
    const Vertex elsewhere{500, 0, 500};
    const std::vector<Vertex> outOfReach{{20, 0, 0}, {0, 0, -20}, {19, 0, 20}, {-20.5f, 0, 5}};
    const struct {
        const char* what;
        std::vector<CollisionEdge> edges;
        StepProbe step;
        bool blocked;
        int eye;
        std::vector<Vertex> figures = {};
    } cases[] = {
        {"wall", {wall}, across, true, 55},
        {"ledge of 20 lifts the eye", {ledge20}, across, false, 75},
        {"ledge of 21 is a wall", {at100(0, 21)}, across, true, 55},
        {"down off a ledge", {ledge20}, {96, 75, 20, 103, 20}, false, 55},
        {"edge from 110 up is out of reach", {at100(110, 200)}, across, false, 55},
        {"passing underneath", {at100(56, 100)}, across, false, 55},
        {"overhang down to eye height", {at100(55, 100)}, across, true, 55},
        // Every edge sees the old height; the last that sets one wins.
        {"ledges 20, 10", {ledge20, ledge10}, across, false, 65},
        {"ledges 10, 20", {ledge10, ledge20}, across, false, 75},
        {"a wall not crossed, a ledge", {edge(300, 0, 300, 50), ledge20}, across, false, 75},
        {"the ledge lifts the eye, the wall refuses", {ledge20, wall}, across, true, 75},
        // Vertical: the z span is tested at the old position only, both ends included.
        {"old z outside the span", {wall}, {96, 55, 53, 103, 45}, false, 55},
        {"old z on the span's end", {wall}, {96, 55, 50, 103, 45}, true, 55},
        {"old z on the span's start", {wall}, {96, 55, 0, 103, 0}, true, 55},
        {"reaching the line from below", {wall}, {90, 55, 20, 100, 20}, true, 55},
        {"reaching the line from above", {wall}, {104, 55, 20, 100, 20}, true, 55},
        {"short of the line", {wall}, {104, 55, 20, 101, 20}, false, 55},
        {"from the line away to +x", {wall}, {100, 55, 20, 110, 20}, false, 55},
        {"horizontal from below", {level}, {50, 55, 195, 50, 205}, true, 55},
        {"horizontal not reached", {level}, {50, 55, 190, 50, 199}, false, 55},
        {"horizontal, old x outside", {level}, {101, 55, 195, 99, 205}, false, 55},
        // Slope 5 (line x = 15 at z = 25): the old z decides whether the edge is in the way.
        {"steep from -x", {steep}, {10, 55, 25, 20, 25}, true, 55},
        {"steep not reached", {steep}, {10, 55, 25, 14, 25}, false, 55},
        {"steep, old x outside", {steep}, {21, 55, 45, 15, 45}, true, 55},
        {"steep, old z outside", {steep}, {25, 55, 60, 15, 60}, false, 55},
        {"steep, new z outside", {steep}, {18, 55, 45, 21, 52}, true, 55},
        // Slope 0.5 (line z = 125 at x = 50) and slope 1: the old x decides.
        {"shallow from -z", {shallow}, {50, 55, 120, 50, 130}, true, 55},
        {"shallow not reached", {shallow}, {50, 55, 120, 50, 124}, false, 55},
        {"shallow not reached from +z", {shallow}, {50, 55, 130, 50, 126}, false, 55},
        {"shallow, old z outside", {shallow}, {2, 55, 96, 2, 106}, true, 55},
        {"shallow, old x outside", {shallow}, {110, 55, 150, 110, 160}, false, 55},
        {"slope 1, old x outside", {edge(0, 0, 100, 100)}, {-3, 55, 2, 7, 2}, false, 55},
        {"slope -1", {edge(0, 100, 100, 0)}, {45, 55, 50, 52, 57}, true, 55},
        // Figures' view positions are truncated; their height does not count.
        {"figure at 19, 19", {}, across, true, 55, {elsewhere, {19, 0, 19}}},
        {"figure at -19, -19", {}, across, true, 55, {elsewhere, {-19, 0, -19}}},
        {"figure at -19.9, 19.9", {}, across, true, 55, {{-19.9f, 0, 19.9f}}},
        {"figure high above", {}, across, true, 55, {{0, 300, 0}}},
        {"figures just out of reach", {}, across, false, 55, outOfReach},
    };
    for (const auto& c : cases) {
        int eye = c.step.yo;
        EXPECT_EQ(stepBlocked(c.edges, c.figures, c.step, eye), c.blocked) << c.what;
        EXPECT_EQ(eye, c.eye) << c.what;
    }
}

TEST(Walking, StepsLandOnWholeUnitsTheGroundFollowsAndTheFootstepSounds) {
    const std::vector<CollisionEdge> none, ledge{edge(5, -50, 5, 50, 0, 20)},
        ledgeThenWall{edge(5, -50, 5, 50, 0, 20), edge(5, -50, 5, 50)},
        ledgeAt1{edge(1, -5, 1, 5, 0, 20)};
    const struct {
        Vertex from;
        float heading;
        bool forward;
        const std::vector<CollisionEdge>& edges;
        std::vector<Vertex> figures;
        Vertex to;
        float scrollX, scrollZ;
        bool listenerFollows = true;
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
        // From x 2800 on a forward step only sounds; the listener stays.
        {{2800, 55, 0}, 0, true, none, {}, {2800, 55, 0}, 0, 0, false},
        {{2800, 55, 0}, 0, false, none, {}, {2800, 55, -10}, 0, -10},
        {{2799.5f, 55, 0}, 0, true, none, {}, {2799, 55, 10}, 0, 10},
        {{0, 55, 0}, 0, true, none, {{0, 0, 15}}, {0, 55, 0}, 0, 0},
        {{0, 55, 0}, 90, true, ledge, {}, {9, 75, 0}, 9, 0},
        // Refused, but the eye keeps the height the ledge gave it.
        {{0, 55, 0}, 90, true, ledgeThenWall, {}, {0, 75, 0}, 0, 0},
        // The collision test starts from whole units: x 0.6 is 0, before the ledge at 1, and the
        // eye at 55.7 is 55, whose feet stand at the ledge's foot; the step goes from 0.6.
        {{0.6f, 55.7f, 0}, 90, true, ledgeAt1, {}, {10, 75, 0}, 9, 0},
    };
    for (const auto& c : cases) {
        auto grid = std::make_unique<GroundGrid>("LT_GRAY", "LT_GRAY_1");
        const WalkingScene scene{c.edges, c.figures, grid.get()};
        Vertex camera = c.from;
        const StepSounds sounds =
            (c.forward ? stepForward : stepBackward)(camera, c.heading, scene);
        SCOPED_TRACE(testing::Message() << (c.forward ? "forward" : "backward") << " at "
                                        << c.heading << " from x " << c.from.x);
        EXPECT_EQ(camera, c.to);
        EXPECT_EQ(std::pair(grid->scrollX(), grid->scrollZ()), std::pair(c.scrollX, c.scrollZ));
        EXPECT_EQ(std::pair(sounds.footstep, sounds.listenerFollows),
                  std::pair(true, c.listenerFollows));
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
