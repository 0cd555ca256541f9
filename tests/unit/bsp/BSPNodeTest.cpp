#include "bsp/BSPNode.h"
#include "BspTestSupport.h"
#include "FakeHost.h"
#include "bsp/TreeStats.h"
#include "platform/FatalError.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <pthread.h>

#include <algorithm>
#include <functional>

namespace velmora {
namespace {

using bsptest::facingX;
using bsptest::triangle;
using ::testing::ElementsAre;

const std::string kSplit = "spliting surface\n";
const std::string kSplitDone = "split complete\n";
const std::string kNodeDone = "partitioning complete.\n";

// The names a node holds; none for a missing node.
std::vector<std::string> namesOf(const std::unique_ptr<BSPNode>& node) {
    std::vector<std::string> names;
    for (const Surface& s : node ? node->surfaces : std::vector<Surface>{}) {
        names.push_back(s.name);
    }
    return names;
}

bool isLeaf(const BSPNode& node) {
    return !node.farSideChild && !node.originSideChild;
}

class BuildSubtree : public ::testing::Test {
  protected:
    void build(std::vector<Surface> surfaces) {
        root->surfaces = std::move(surfaces);
        root->buildSubtree(host);
    }

    test::FakeHost host;
    std::unique_ptr<BSPNode> root = std::make_unique<BSPNode>();
};

TEST_F(BuildSubtree, SingleSurfaceMakesOneNodeAndAnEmptyRootNone) {
    build({facingX("a", 10)});
    EXPECT_THAT(namesOf(root), ElementsAre("a"));
    EXPECT_TRUE(isLeaf(*root));
    BSPNode empty;
    empty.buildSubtree(host);
    EXPECT_TRUE(empty.surfaces.empty() && isLeaf(empty));
    EXPECT_THAT(host.debugLines(), ElementsAre(kNodeDone));
}

TEST_F(BuildSubtree, CoplanarSurfacesStayAndBandCornersDoNotSplit) {
    const Surface coplanar = triangle("coplanar", {10, 5, 5}, {10, 6, 9}, {10, -3, 7});
    const Surface inBand = triangle("in_band", {11, 0, 0}, {9, 4, 0}, {10.5f, 0, 3});
    const Surface leaning = triangle("leaning", {11, 0, 0}, {25, 0, 0}, {25, 3, 0});
    build({facingX("a", 10), coplanar, leaning, inBand});
    EXPECT_THAT(namesOf(root), ElementsAre("a", "coplanar", "in_band"));
    EXPECT_THAT(namesOf(root->farSideChild), ElementsAre("leaning"));
    EXPECT_THAT(host.debugLines(), ElementsAre(kNodeDone, kNodeDone)); // two nodes, no split
}

TEST_F(BuildSubtree, ChildrenArePartitionedByTheirFirstSurfaceFarSideFirst) {
    // Far subtree: b; e beyond a but on the origin's side of b; a triangle cut by b whose near
    // part lies beyond e (4 nodes). Origin subtree: c and a triangle cut by c (3 nodes).
    build({facingX("a", 10), facingX("b", 50), facingX("e", 30),
           triangle("cut_by_b", {45, 0, 0}, {55, 0, 0}, {55, 0, 5}), facingX("c", 0),
           triangle("cut_by_c", {5, 0, 0}, {-5, 0, 0}, {-5, 0, 3})});
    // The split lines show when each subtree was partitioned.
    EXPECT_THAT(host.debugLines(),
                ElementsAre(kSplit, kSplitDone, kNodeDone, kNodeDone, kNodeDone, kNodeDone, kSplit,
                            kSplitDone, kNodeDone, kNodeDone, kNodeDone, kNodeDone));
    EXPECT_EQ(std::ranges::count(host.debugLines(), kNodeDone),
              std::ptrdiff_t(measureTree(*root).nodes));

    // A straddling triangle's near part goes to the side of its lone corner.
    ASSERT_THAT(namesOf(root->farSideChild), ElementsAre("b"));
    const BSPNode& b = *root->farSideChild;
    EXPECT_THAT(namesOf(b.farSideChild), ElementsAre("cut_by_b_part_1", "cut_by_b_part_2"));
    ASSERT_THAT(namesOf(b.originSideChild), ElementsAre("e"));
    EXPECT_THAT(namesOf(b.originSideChild->farSideChild), ElementsAre("cut_by_b_near_part"));
    ASSERT_THAT(namesOf(root->originSideChild), ElementsAre("c"));
    const BSPNode& c = *root->originSideChild;
    EXPECT_THAT(namesOf(c.farSideChild), ElementsAre("cut_by_c_near_part"));
    EXPECT_THAT(namesOf(c.originSideChild), ElementsAre("cut_by_c_part_1", "cut_by_c_part_2"));

    root->releaseSubtree();
    EXPECT_TRUE(isLeaf(*root));
    EXPECT_THAT(namesOf(root), ElementsAre("a"));
}

TEST_F(BuildSubtree, ZeroAreaPartsAndShortSurfacesAreDropped) {
    // A flat-lined triangle straddling a: every part is a line, so no child appears.
    build({facingX("a", 10), triangle("line", {0, 0, 0}, {20, 0, 0}, {40, 0, 0})});
    EXPECT_TRUE(isLeaf(*root));
    EXPECT_THAT(host.debugLines(), ElementsAre(kSplit, kSplitDone, kNodeDone));
    Surface stub;
    stub.addCorner({50, 0, 0});
    stub.addCorner({60, 0, 0});
    build({stub, facingX("a", 10), Surface{}, facingX("far", 30), stub});
    EXPECT_THAT(namesOf(root), ElementsAre("a"));
    EXPECT_THAT(namesOf(root->farSideChild), ElementsAre("far"));
}

TEST_F(BuildSubtree, PassingALimitEndsTheBuildWithAMessage) {
    const Surface cut = triangle("cut", {5, 0, 0}, {15, 0, 0}, {15, 0, 5}); // three parts
    const Surface longName = facingX(std::string(128, 'n'), 20);            // counts twice
    const std::vector<Surface> split = {facingX("a", 10), cut};
    const std::vector<Surface> named = {facingX("a", 10), longName};
    // Each level sorts the walls left: 4 + 3 + 2 + 1.
    const std::vector<Surface> chain = {facingX("w", 10), facingX("w", 20), facingX("w", 30),
                                        facingX("w", 40)};
    const std::string tooMany = "world too large: more than ";
    struct Case {
        std::vector<Surface> surfaces;
        TreeLimits limits;
        std::string error; // empty when the tree must build
    };
    const std::vector<Case> cases = {
        {split, {4, 100}, ""},
        {split, {3, 100}, tooMany + "3 surfaces in the BSP tree"},
        {named, {3, 100}, ""},
        {named, {2, 100}, tooMany + "2 surfaces in the BSP tree"},
        {chain, {100, 10}, ""},
        {chain, {100, 9}, "world too large: building the BSP tree takes more than 9 surface sorts"},
    };
    for (const Case& c : cases) {
        root = std::make_unique<BSPNode>();
        root->surfaces = c.surfaces;
        std::string error;
        try {
            root->buildSubtree(host, c.limits);
        } catch (const platform::FatalError& fatal) {
            error = fatal.text();
            EXPECT_EQ(fatal.caption(), "Error");
        }
        EXPECT_EQ(error, c.error);
        // What was built before the limit stays a tree.
        EXPECT_GE(measureTree(*root).surfaces, 1u);
        root.reset();
    }
}

TEST_F(BuildSubtree, WallsEachBeyondTheLastBuildAndReleaseAsOneLongChain) {
    // Each level keeps one wall and passes the rest on; the work grows with the square of the
    // count, hence a few thousand walls.
    constexpr std::size_t kWalls = 2500;
    for (std::size_t i = 0; i < kWalls; ++i) {
        root->surfaces.push_back(facingX("wall", 10.0f * (i + 1)));
    }
    TreeStats stats;
    ASSERT_TRUE(bsptest::runOnSmallStack(
        [&] {
            root->buildSubtree(host);
            stats = measureTree(*root);
            root->releaseSubtree();
        },
        64 * 1024));
    EXPECT_EQ(std::tie(stats.nodes, stats.depth, stats.surfaces), std::tie(kWalls, kWalls, kWalls));
    EXPECT_EQ(host.debugLines(), std::vector<std::string>(kWalls, kNodeDone));
    EXPECT_TRUE(isLeaf(*root) && root->surfaces.size() == 1);
}

TEST(DeepTree, HandLinkedChainIsMeasuredAndDestroyedWithoutRecursion) {
    // A hundred thousand nodes, alternating far and origin children so both links are followed.
    constexpr std::size_t kLength = 100000;
    auto chain = std::make_unique<BSPNode>();
    BSPNode* tail = chain.get();
    for (std::size_t i = 1; i < kLength; ++i) {
        auto& next = i % 2 ? tail->farSideChild : tail->originSideChild;
        next = std::make_unique<BSPNode>();
        tail = next.get();
    }
    TreeStats stats;
    ASSERT_TRUE(bsptest::runOnSmallStack(
        [&] {
            stats = measureTree(*chain);
            chain.reset();
        },
        64 * 1024));
    EXPECT_EQ(std::tie(stats.nodes, stats.depth), std::tie(kLength, kLength));
}

} // namespace
} // namespace velmora
