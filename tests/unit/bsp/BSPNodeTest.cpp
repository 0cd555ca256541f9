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

TEST(BuildSubtree, FirstSurfacesPartitionStraddlersAreCutAndLimitsEndTheBuild) {
    Surface stub; // fewer than three corners
    stub.addCorner({50, 0, 0});
    stub.addCorner({60, 0, 0});
    const Surface a = facingX("a", 10),
                  coplanar = triangle("c", {10, 5, 5}, {10, 6, 9}, {10, -3, 7});
    // Two corners beyond a, one before it.
    const Surface u = triangle("u", {5, 0, 0}, {15, 0, 0}, {15, 0, 5}),
                  v = triangle("v", {5, 0, 9}, {15, 0, 9}, {15, 0, 15});
    // A surface counts once more for every 128 characters of its three names together.
    Surface named128 = facingX(std::string(100, 'n'), 20);
    named128.colorName = std::string(20, 'c');
    named128.textureName = std::string(8, 't');
    const Surface named127 = facingX(std::string(127, 'w'), 20);
    // Each level sorts the walls left: 4 + 3 + 2 + 1.
    const std::vector<Surface> chain = {a, facingX("w", 20), facingX("w", 30), facingX("w", 40)};
    const std::string tooLarge = " | world too large: ";
    const struct {
        std::vector<Surface> surfaces;
        std::string expected; // the tree (see shapeOf) | the debug lines as letters | the error
        TreeLimits limits = {};
        bool stop = false;
    } cases[] = {
        {{a}, "a | N"},
        {{}, " | "}, // an empty root reports nothing
        // Coplanar surfaces and those within the plane's band stay in the node.
        {{a, coplanar, triangle("leaning", {11, 0, 0}, {25, 0, 0}, {25, 3, 0}),
          triangle("in_band", {11, 0, 0}, {9, 4, 0}, {10.5f, 0, 3})},
         "a,c,in_band far(leaning) | NN"},
        // Far subtrees first; a near part goes to the side of its lone corner.
        {{a, facingX("b", 50), facingX("e", 30),
          triangle("cut_by_b", {45, 0, 0}, {55, 0, 0}, {55, 0, 5}), facingX("c", 0),
          triangle("cut_by_c", {5, 0, 0}, {-5, 0, 0}, {-5, 0, 3})},
         "a far(b far(cut_by_b_part_1,cut_by_b_part_2) origin(e far(cut_by_b_near_part)))"
         " origin(c far(cut_by_c_near_part) origin(cut_by_c_part_1,cut_by_c_part_2))"
         " | SCNNNNSCNNNN"},
        // More parts than surfaces read so far: the far list cannot be written in place.
        {{a, u, v, coplanar},
         "a,c far(u_part_1,u_part_2,v_part_1,v_part_2) origin(u_near_part,v_near_part)"
         " | SCSCNNN"},
        // Parts without area and surfaces without three corners are dropped.
        {{a, triangle("line", {0, 0, 0}, {20, 0, 0}, {40, 0, 0})}, "a | SCN"},
        {{stub, a, Surface{}, facingX("far", 30), stub}, "a far(far) | NN"},
        // What was built when a limit is passed stays a tree.
        {{a, u}, "a far(u_part_1,u_part_2) origin(u_near_part) | SCNNN", {4, 100}},
        {{a, u}, "a | SC" + tooLarge + "more than 3 surfaces in the BSP tree", {3, 100}},
        {{a, named128}, "a far(" + named128.name + ") | NN", {3, 100}},
        {{a, named128},
         "a," + named128.name + " | " + tooLarge + "more than 2 surfaces in the BSP tree",
         {2, 100}},
        {{a, named127}, "a far(" + named127.name + ") | NN", {2, 100}},
        {chain, "a far(w far(w far(w))) | NNNN", {100, 10}},
        // The node whose sort passes the limit stays, empty.
        {chain,
         "a far(w far(w far())) | " + tooLarge +
             "building the BSP tree takes more than 9 surface sorts",
         {100, 9}},
        {{a, u}, " |  | the load was stopped", {}, true},
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
            error = " | " + fatal.text();
            EXPECT_EQ(fatal.caption(), "Error");
        } catch (const platform::LoadStopped& stopped) {
            error = std::string(" | ") + stopped.what();
        }
        EXPECT_EQ(shapeOf(root) + " | " + progressOf(host) + error, c.expected);
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
