#include "bsp/BSPNode.h"
#include "BspTestSupport.h"
#include "FakeHost.h"
#include "bsp/TreeStats.h"
#include "bsp/TreeTraversal.h"
#include "platform/FatalError.h"
#include "platform/LoadStopped.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace velmora {
namespace {

using bsptest::facingX;
using bsptest::triangle;

// A node's names, then its far and its origin subtree: "a far(b) origin(c)".
std::string shapeOf(const BSPNode& node) {
    std::string shape;
    for (const Surface& s : node.surfaces) {
        shape += (shape.empty() ? "" : ",") + s.name;
    }
    if (node.farSideChild) {
        shape += " far(" + shapeOf(*node.farSideChild) + ")";
    }
    if (node.originSideChild) {
        shape += " origin(" + shapeOf(*node.originSideChild) + ")";
    }
    return shape;
}

// The build's debug lines, a letter each: S a split begins, C it is complete, N a node is.
std::string progressOf(const test::FakeHost& host) {
    std::string letters;
    for (const std::string& line : host.debugLines()) {
        letters += line == "spliting surface\n"         ? 'S'
                   : line == "split complete\n"         ? 'C'
                   : line == "partitioning complete.\n" ? 'N'
                                                        : '?';
    }
    return letters;
}

TEST(BuildSubtree, FirstSurfacesPartitionAndStraddlersAreCutFarSideFirst) {
    Surface stub; // fewer than three corners
    stub.addCorner({50, 0, 0});
    stub.addCorner({60, 0, 0});
    const Surface a = facingX("a", 10);
    // Each case: the surfaces, then the tree (see shapeOf) and the debug lines as letters.
    const std::vector<std::pair<std::vector<Surface>, std::string>> cases = {
        {{a}, "a | N"},
        {{}, " | "}, // an empty root reports nothing
        // Coplanar surfaces and those within the plane's band stay in the node.
        {{a, triangle("coplanar", {10, 5, 5}, {10, 6, 9}, {10, -3, 7}),
          triangle("leaning", {11, 0, 0}, {25, 0, 0}, {25, 3, 0}),
          triangle("in_band", {11, 0, 0}, {9, 4, 0}, {10.5f, 0, 3})},
         "a,coplanar,in_band far(leaning) | NN"},
        // Far subtrees first; a near part goes to the side of its lone corner.
        {{a, facingX("b", 50), facingX("e", 30),
          triangle("cut_by_b", {45, 0, 0}, {55, 0, 0}, {55, 0, 5}), facingX("c", 0),
          triangle("cut_by_c", {5, 0, 0}, {-5, 0, 0}, {-5, 0, 3})},
         "a far(b far(cut_by_b_part_1,cut_by_b_part_2) origin(e far(cut_by_b_near_part)))"
         " origin(c far(cut_by_c_near_part) origin(cut_by_c_part_1,cut_by_c_part_2))"
         " | SCNNNNSCNNNN"},
        // Parts without area and surfaces without three corners are dropped.
        {{a, triangle("line", {0, 0, 0}, {20, 0, 0}, {40, 0, 0})}, "a | SCN"},
        {{stub, a, Surface{}, facingX("far", 30), stub}, "a far(far) | NN"},
    };
    for (const auto& [surfaces, expected] : cases) {
        test::FakeHost host;
        BSPNode root;
        root.surfaces = surfaces;
        root.buildSubtree(host);
        EXPECT_EQ(shapeOf(root) + " | " + progressOf(host), expected);
    }
}

TEST(BuildSubtree, PassingALimitOrAStopEndsTheBuild) {
    const Surface a = facingX("a", 10), cut = triangle("cut", {5, 0, 0}, {15, 0, 0}, {15, 0, 5});
    // A surface counts once more for every 128 characters of its three names together.
    Surface named128 = facingX(std::string(100, 'n'), 20);
    named128.colorName = std::string(20, 'c');
    named128.textureName = std::string(8, 't');
    const Surface named127 = facingX(std::string(127, 'n'), 20);
    // Each level sorts the walls left: 4 + 3 + 2 + 1.
    const std::vector<Surface> chain = {a, facingX("w", 20), facingX("w", 30), facingX("w", 40)};
    const std::string tooMany = "world too large: more than ";
    const std::string tooLong = "world too large: building the BSP tree takes more than ";
    const struct {
        std::vector<Surface> surfaces;
        TreeLimits limits;
        bool stop;
        std::string error; // empty when the tree must build
        std::size_t kept;  // surfaces in the tree afterwards: what was built stays a tree
    } cases[] = {
        {{a, cut}, {4, 100}, false, "", 4},
        {{a, cut}, {3, 100}, false, tooMany + "3 surfaces in the BSP tree", 1},
        {{a, named128}, {3, 100}, false, "", 2},
        {{a, named128}, {2, 100}, false, tooMany + "2 surfaces in the BSP tree", 2},
        {{a, named127}, {2, 100}, false, "", 2},
        {chain, {100, 10}, false, "", 4},
        {chain, {100, 9}, false, tooLong + "9 surface sorts", 3},
        {{a, cut}, {}, true, "the load was stopped", 0},
    };
    for (const auto& c : cases) {
        test::FakeHost host;
        BSPNode root;
        root.surfaces = c.surfaces;
        std::stop_source stop;
        if (c.stop) {
            stop.request_stop();
        }
        std::string error;
        try {
            root.buildSubtree(host, c.limits, stop.get_token());
        } catch (const platform::FatalError& fatal) {
            error = fatal.text();
            EXPECT_EQ(fatal.caption(), "Error");
        } catch (const platform::LoadStopped& stopped) {
            error = stopped.what();
        }
        EXPECT_EQ(error, c.error);
        EXPECT_EQ(measureTree(root).surfaces, c.kept) << c.error;
    }
}

TEST(BuildSubtree, ALongChainIsBuiltDrawnMeasuredAndReleasedWithoutRecursion) {
    // Walls closing in from both sides: each level keeps one and hands the rest to its far and
    // its origin child by turns. The work grows with the square of the count.
    constexpr std::size_t kWalls = 2500;
    test::FakeHost host;
    BSPNode root;
    for (std::size_t i = 0; i < kWalls; ++i) {
        root.surfaces.push_back(facingX("wall", i % 2 ? 10.0f * i : 100000.0f - 10.0f * i));
    }
    std::vector<float> drawnX;
    TreeStats stats;
    ASSERT_TRUE(bsptest::runOnSmallStack(
        [&] {
            root.buildSubtree(host);
            translateTree(root, {0, 0, 0});
            drawBackToFront(root, [&](Surface& s) { drawnX.push_back(s.vertices[0].x); });
            stats = measureTree(root);
            root.releaseSubtree();
        },
        64 * 1024));
    // Seen from the origin, the walls furthest along x come first.
    EXPECT_EQ(drawnX.size(), kWalls);
    EXPECT_TRUE(std::ranges::is_sorted(drawnX, std::greater{}));
    EXPECT_EQ(std::tie(stats.nodes, stats.depth, stats.surfaces), std::tie(kWalls, kWalls, kWalls));
    EXPECT_EQ(progressOf(host), std::string(kWalls, 'N'));
    EXPECT_EQ(shapeOf(root), "wall");
}

} // namespace
} // namespace velmora
