#include "BspTestSupport.h"
#include "bsp/BSPNode.h"
#include "bsp/TreeStats.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace velmora {
namespace {

using bsptest::facingX;
using bsptest::runOnSmallStack;

// Far smaller than any recursion over thousands of levels needs, ample for a loop.
constexpr std::size_t kSmallStack = 64 * 1024;

// A chain of nodes, each the far child of the one before, linked by hand.
std::unique_ptr<BSPNode> makeChain(std::size_t length) {
    auto root = std::make_unique<BSPNode>();
    BSPNode* tail = root.get();
    tail->surfaces.push_back(facingX("wall", 0));
    for (std::size_t i = 1; i < length; ++i) {
        tail->farSideChild = std::make_unique<BSPNode>();
        tail = tail->farSideChild.get();
        tail->surfaces.push_back(facingX("wall", 0));
    }
    return root;
}

TEST(DeepTree, ChainOfAHundredThousandNodesIsMeasuredReleasedAndDestroyed) {
    constexpr std::size_t kLength = 100000;
    TreeStats stats;
    bool released = false;
    runOnSmallStack(kSmallStack, [&] {
        std::unique_ptr<BSPNode> measured = makeChain(kLength);
        stats = measureTree(*measured);
        measured->releaseSubtree();
        released = measured->farSideChild == nullptr && measured->surfaces.size() == 1;
        std::unique_ptr<BSPNode> destroyed = makeChain(kLength);
        destroyed.reset();
    });
    EXPECT_EQ(stats.nodes, kLength);
    EXPECT_EQ(stats.depth, kLength);
    EXPECT_EQ(stats.surfaces, kLength);
    EXPECT_TRUE(released);
}

TEST(DeepTree, WallsEachBeyondTheLastBuildIntoOneLongChain) {
    // Parallel walls ever farther from the origin: every wall lands beyond all earlier ones, so
    // each level holds one wall and passes the rest on. The work grows with the square of the
    // count, hence a few thousand walls, on a stack that recursion per level would overflow.
    constexpr std::size_t kWalls = 2500;
    bsptest::RecordingHost host;
    BSPNode root;
    for (std::size_t i = 0; i < kWalls; ++i) {
        root.surfaces.push_back(facingX("wall_" + std::to_string(i), 10.0f * (i + 1)));
    }
    TreeStats stats;
    std::string deepest;
    runOnSmallStack(kSmallStack, [&] {
        root.buildSubtree();
        stats = measureTree(root);
        const BSPNode* node = &root;
        while (node->farSideChild) {
            node = node->farSideChild.get();
        }
        deepest = node->surfaces.front().name;
        root.releaseSubtree();
    });
    EXPECT_EQ(stats.nodes, kWalls);
    EXPECT_EQ(stats.depth, kWalls);
    EXPECT_EQ(stats.surfaces, kWalls);
    EXPECT_EQ(deepest, "wall_" + std::to_string(kWalls - 1));
    EXPECT_EQ(host.count("partitioning complete.\n"), kWalls);
    EXPECT_EQ(host.lines.size(), kWalls);
    EXPECT_EQ(root.farSideChild, nullptr);
}

} // namespace
} // namespace velmora
