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

// A case's "edges", six numbers each, and its "figures", three numbers each.
std::vector<CollisionEdge> edgesOf(const test::TextCase& c) {
    const std::vector<float> e = c.numbers("edges");
    std::vector<CollisionEdge> edges;
    for (std::size_t i = 0; i + 6 <= e.size(); i += 6) {
        edges.push_back(edge(int(e[i]), int(e[i + 1]), int(e[i + 2]), int(e[i + 3]), int(e[i + 4]),
                             int(e[i + 5])));
    }
    return edges;
}
std::vector<Vertex> figuresOf(const test::TextCase& c) {
    const std::vector<float> f = c.numbers("figures");
    std::vector<Vertex> figures;
    for (std::size_t i = 0; i + 3 <= f.size(); i += 3) {
        figures.push_back({f[i], f[i + 1], f[i + 2]});
    }
    return figures;
}

// The cases of tests/data/movement/steps.txt.
TEST(StepBlocked, WallsLedgesFiguresAndWhatEachEdgeKindCountsAsCrossing) {
    const auto cases = test::readCases("tests/data/movement/steps.txt");
    ASSERT_GT(cases.size(), 30u);
    for (const test::TextCase& c : cases) {
        const std::vector<float> s = c.numbers("step");
        ASSERT_EQ(s.size(), 5u) << c.name;
        const StepProbe step{int(s[0]), int(s[1]), int(s[2]), int(s[3]), int(s[4])};
        int eye = step.yo;
        EXPECT_EQ(stepBlocked(edgesOf(c), figuresOf(c), step, eye), c.text("blocked") == "1")
            << c.name;
        EXPECT_EQ(eye, std::stoi(c.text("eye"))) << c.name;
    }
}

// The cases of tests/data/movement/walks.txt.
TEST(Walking, StepsLandOnWholeUnitsTheGroundFollowsAndTheFootstepSounds) {
    const auto cases = test::readCases("tests/data/movement/walks.txt");
    ASSERT_GT(cases.size(), 10u);
    for (const test::TextCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<float> from = c.numbers("from"), to = c.numbers("to"),
                                 scroll = c.numbers("scroll");
        ASSERT_EQ(from.size() + to.size() + scroll.size(), 8u);
        const std::vector<CollisionEdge> edges = edgesOf(c);
        const std::vector<Vertex> figures = figuresOf(c);
        auto grid = std::make_unique<GroundGrid>("LT_GRAY", "LT_GRAY_1");
        const WalkingScene scene{edges, figures, grid.get()};
        Vertex camera{from[0], from[1], from[2]};
        const StepSounds sounds = (c.name.starts_with("forward") ? stepForward : stepBackward)(
            camera, c.numbers("heading").at(0), scene);
        EXPECT_EQ(camera, (Vertex{to[0], to[1], to[2]}));
        EXPECT_EQ(std::pair(grid->scrollX(), grid->scrollZ()), std::pair(scroll[0], scroll[1]));
        EXPECT_EQ(std::pair(sounds.footstep, sounds.listenerFollows),
                  std::pair(true, c.text("listener") != "0"));
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
