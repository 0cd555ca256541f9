#include "bsp/BSPNode.h"
#include "BspTestSupport.h"
#include "bsp/TreeStats.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace velmora {
namespace {

using bsptest::corner;
using bsptest::facingX;
using bsptest::namesOf;
using bsptest::triangle;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

const std::string kSplitting = "spliting surface\n";
const std::string kSplitDone = "split complete\n";
const std::string kNodeDone = "partitioning complete.\n";

class BuildSubtree : public ::testing::Test {
  protected:
    void build(std::vector<Surface> surfaces) {
        root.surfaces = std::move(surfaces);
        root.buildSubtree();
    }

    bsptest::RecordingHost host;
    BSPNode root;
};

TEST_F(BuildSubtree, SingleSurfaceMakesOneFinishedNode) {
    build({facingX("a", 10)});
    EXPECT_THAT(namesOf(root.surfaces), ElementsAre("a"));
    EXPECT_EQ(root.farSideChild, nullptr);
    EXPECT_EQ(root.originSideChild, nullptr);
    EXPECT_THAT(host.lines, ElementsAre(kNodeDone));
}

TEST_F(BuildSubtree, EmptyRootStaysEmptyAndSilent) {
    build({});
    EXPECT_THAT(root.surfaces, IsEmpty());
    EXPECT_EQ(root.farSideChild, nullptr);
    EXPECT_EQ(root.originSideChild, nullptr);
    EXPECT_THAT(host.lines, IsEmpty());
}

TEST_F(BuildSubtree, SurfacesGoToTheirSideInOrder) {
    build({facingX("a", 10), facingX("far_1", 30), facingX("near_1", -5), facingX("far_2", 20),
           facingX("near_2", 0)});
    EXPECT_THAT(namesOf(root.surfaces), ElementsAre("a"));
    ASSERT_NE(root.farSideChild, nullptr);
    ASSERT_NE(root.originSideChild, nullptr);
    // The first surface to reach a child partitions it, and the later ones are classified
    // against it: far_2 lies beyond a but on the origin's side of far_1.
    EXPECT_THAT(namesOf(root.farSideChild->surfaces), ElementsAre("far_1"));
    EXPECT_THAT(namesOf(root.farSideChild->originSideChild->surfaces), ElementsAre("far_2"));
    EXPECT_THAT(namesOf(root.originSideChild->surfaces), ElementsAre("near_1"));
    // x = 0 lies between x = -5 and the origin: the origin's side of near_1.
    EXPECT_THAT(namesOf(root.originSideChild->originSideChild->surfaces), ElementsAre("near_2"));
}

TEST_F(BuildSubtree, CoplanarSurfacesStayBehindThePartition) {
    const Surface coplanar_1 =
        triangle("coplanar_1", corner(10, 5, 5), corner(10, 6, 9), corner(10, -3, 7));
    // Within the band of the wall: still kept by the node.
    const Surface coplanar_2 =
        triangle("coplanar_2", corner(11, 0, 0), corner(9, 4, 0), corner(10.5f, 0, 3));
    build({facingX("a", 10), coplanar_1, facingX("far", 40), coplanar_2});
    EXPECT_THAT(namesOf(root.surfaces), ElementsAre("a", "coplanar_1", "coplanar_2"));
    EXPECT_EQ(root.surfaces[1].vertices, coplanar_1.vertices);
    ASSERT_NE(root.farSideChild, nullptr);
    EXPECT_THAT(namesOf(root.farSideChild->surfaces), ElementsAre("far"));
}

TEST_F(BuildSubtree, CornerInTheBandDoesNotForceASplit) {
    const Surface leaning =
        triangle("leaning", corner(11, 0, 0), corner(25, 0, 0), corner(25, 3, 0));
    build({facingX("a", 10), leaning});
    EXPECT_EQ(root.originSideChild, nullptr);
    ASSERT_NE(root.farSideChild, nullptr);
    ASSERT_THAT(namesOf(root.farSideChild->surfaces), ElementsAre("leaning"));
    EXPECT_EQ(root.farSideChild->surfaces[0].vertices, leaning.vertices);
    EXPECT_EQ(host.count(kSplitting), 0u);
}

TEST_F(BuildSubtree, StraddlingTrianglesAreSplitIntoBothChildren) {
    // Both triangles lie in the floor plane y = 0, so their parts stay together in each child.
    build({facingX("a", 10),
           triangle("lone_near", corner(0, 0, 0), corner(20, 0, 0), corner(20, 0, 4)),
           triangle("lone_far", corner(30, 0, 0), corner(0, 0, 2), corner(0, 0, 6))});
    ASSERT_NE(root.originSideChild, nullptr);
    ASSERT_NE(root.farSideChild, nullptr);
    // The side of the single corner receives the near part.
    EXPECT_THAT(namesOf(root.originSideChild->surfaces),
                ElementsAre("lone_near_near_part", "lone_far_part_1", "lone_far_part_2"));
    EXPECT_THAT(namesOf(root.farSideChild->surfaces),
                ElementsAre("lone_near_part_1", "lone_near_part_2", "lone_far_near_part"));
    EXPECT_THAT(host.lines, ElementsAre(kSplitting, kSplitDone, kSplitting, kSplitDone, kNodeDone,
                                        kNodeDone, kNodeDone));
}

TEST_F(BuildSubtree, FarSubtreeIsFinishedBeforeTheOriginSubtree) {
    // Far subtree: b, e beyond it, and a triangle cut by b (4 nodes). Origin subtree: c and a
    // triangle cut by c (3 nodes). The split lines show when each subtree was partitioned.
    build({facingX("a", 10), facingX("b", 30), facingX("e", 50),
           triangle("cut_by_b", corner(25, 0, 0), corner(35, 0, 0), corner(35, 0, 5)),
           facingX("c", 0),
           triangle("cut_by_c", corner(-5, 0, 0), corner(5, 0, 0), corner(5, 0, 3))});
    EXPECT_THAT(host.lines,
                ElementsAre(kSplitting, kSplitDone, kNodeDone, kNodeDone, kNodeDone, kNodeDone,
                            kSplitting, kSplitDone, kNodeDone, kNodeDone, kNodeDone, kNodeDone));
    const TreeStats stats = measureTree(root);
    EXPECT_EQ(stats.nodes, 8u);
    EXPECT_EQ(host.count(kNodeDone), stats.nodes);
    EXPECT_EQ(stats.depth, 4u);
    EXPECT_EQ(stats.surfaces, 10u);
}

TEST_F(BuildSubtree, ZeroAreaSplitPartsAreDropped) {
    // A flat-lined triangle straddling the wall: all its parts are lines.
    build({facingX("a", 10), triangle("line", corner(0, 0, 0), corner(20, 0, 0), corner(40, 0, 0)),
           triangle("ok", corner(0, 0, 0), corner(20, 0, 0), corner(20, 0, 4))});
    EXPECT_EQ(host.count(kSplitting), 2u);
    ASSERT_NE(root.originSideChild, nullptr);
    ASSERT_NE(root.farSideChild, nullptr);
    EXPECT_THAT(namesOf(root.originSideChild->surfaces), ElementsAre("ok_near_part"));
    EXPECT_THAT(namesOf(root.farSideChild->surfaces), ElementsAre("ok_part_1", "ok_part_2"));
    EXPECT_EQ(measureTree(root).surfaces, 4u);
}

TEST_F(BuildSubtree, LinesAloneCreateNoChild) {
    build(
        {facingX("a", 10), triangle("line", corner(0, 0, 0), corner(20, 0, 0), corner(40, 0, 0))});
    EXPECT_EQ(root.originSideChild, nullptr);
    EXPECT_EQ(root.farSideChild, nullptr);
    EXPECT_THAT(host.lines, ElementsAre(kSplitting, kSplitDone, kNodeDone));
}

TEST_F(BuildSubtree, SurfacesWithTooFewCornersAreSkipped) {
    Surface stub;
    stub.name = "stub";
    stub.addCorner(corner(50, 0, 0));
    stub.addCorner(corner(60, 0, 0));
    build({stub, facingX("a", 10), Surface{}, facingX("far", 30), stub});
    EXPECT_THAT(namesOf(root.surfaces), ElementsAre("a"));
    ASSERT_NE(root.farSideChild, nullptr);
    EXPECT_THAT(namesOf(root.farSideChild->surfaces), ElementsAre("far"));
    EXPECT_EQ(measureTree(root).surfaces, 2u);

    BSPNode onlyStubs;
    onlyStubs.surfaces = {stub, Surface{}};
    onlyStubs.buildSubtree();
    EXPECT_THAT(onlyStubs.surfaces, IsEmpty());
    EXPECT_EQ(onlyStubs.farSideChild, nullptr);
    EXPECT_EQ(host.count(kNodeDone), 2u);
}

TEST_F(BuildSubtree, ReleaseRemovesAllChildrenAndKeepsThePartition) {
    build({facingX("a", 10), facingX("b", 30), facingX("c", -10), facingX("d", 50)});
    ASSERT_EQ(measureTree(root).nodes, 4u);
    root.releaseSubtree();
    EXPECT_EQ(root.farSideChild, nullptr);
    EXPECT_EQ(root.originSideChild, nullptr);
    EXPECT_THAT(namesOf(root.surfaces), ElementsAre("a"));
    root.releaseSubtree();
    EXPECT_EQ(measureTree(root).nodes, 1u);
}

TEST(MeasureTree, CountsNodesLevelsAndSurfaces) {
    BSPNode empty;
    const TreeStats none = measureTree(empty);
    EXPECT_EQ(none.nodes, 1u);
    EXPECT_EQ(none.depth, 1u);
    EXPECT_EQ(none.surfaces, 0u);

    // root (2 surfaces) -> origin child (1) -> far grandchild (3); root -> far child (1).
    BSPNode root;
    root.surfaces.resize(2);
    root.farSideChild = std::make_unique<BSPNode>();
    root.farSideChild->surfaces.resize(1);
    root.originSideChild = std::make_unique<BSPNode>();
    root.originSideChild->surfaces.resize(1);
    root.originSideChild->farSideChild = std::make_unique<BSPNode>();
    root.originSideChild->farSideChild->surfaces.resize(3);
    const TreeStats stats = measureTree(root);
    EXPECT_EQ(stats.nodes, 4u);
    EXPECT_EQ(stats.depth, 3u);
    EXPECT_EQ(stats.surfaces, 7u);
}

} // namespace
} // namespace velmora
