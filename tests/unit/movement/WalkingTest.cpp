#include "movement/Walking.h"
#include "TextCases.h"
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

// The cases of tests/data/movement/steps.txt.
TEST(StepBlocked, WallsLedgesFiguresAndWhatEachEdgeKindCountsAsCrossing) {
    const auto cases = test::readCases("tests/data/movement/steps.txt");
    ASSERT_GT(cases.size(), 30u);
    for (const test::TextCase& c : cases) {
        std::vector<CollisionEdge> edges;
        const std::vector<float> e = c.numbers("edges"), f = c.numbers("figures"),
                                 s = c.numbers("step");
        for (std::size_t i = 0; i + 6 <= e.size(); i += 6) {
            edges.push_back(edge(int(e[i]), int(e[i + 1]), int(e[i + 2]), int(e[i + 3]),
                                 int(e[i + 4]), int(e[i + 5])));
        }
        std::vector<Vertex> figures;
        for (std::size_t i = 0; i + 3 <= f.size(); i += 3) {
            figures.push_back({f[i], f[i + 1], f[i + 2]});
        }
        ASSERT_EQ(s.size(), 5u) << c.name;
        const StepProbe step{int(s[0]), int(s[1]), int(s[2]), int(s[3]), int(s[4])};
        int eye = step.yo;
        EXPECT_EQ(stepBlocked(edges, figures, step, eye), c.text("blocked") == "1") << c.name;
        EXPECT_EQ(eye, std::stoi(c.text("eye"))) << c.name;
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
