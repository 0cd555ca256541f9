#include "bsp/TreeTraversal.h"
#include "BspTestSupport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <pthread.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace velmora {
namespace {

using bsptest::triangle;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

// A wall across the view at depth z (world space), facing the eye at the origin.
Surface wallAt(const std::string& name, float z) {
    return triangle(name, {0, 0, z}, {10, 0, z}, {0, 10, z});
}

// A child whose first surface has its three test corners at these depths.
std::unique_ptr<BSPNode> childWithCorners(const std::string& name, float z0, float z1, float z2) {
    auto child = std::make_unique<BSPNode>();
    child->surfaces.push_back(triangle(name, {0, 0, z0}, {10, 0, z1}, {0, 10, z2}));
    return child;
}

std::vector<std::string> drawOrder(BSPNode& root, float eyeZ) {
    translateTree(root, {0, 0, -eyeZ});
    std::vector<std::string> names;
    drawBackToFront(root, [&names](Surface& s) { names.push_back(s.name); });
    return names;
}

// The node's partition lies at depth 100 with a coplanar surface; the far child's corners at
// depth 150, the origin child's at 50.
std::unique_ptr<BSPNode> node(bool withFar, bool withOrigin) {
    auto n = std::make_unique<BSPNode>();
    n->surfaces = {wallAt("node", 100), wallAt("coplanar", 100)};
    if (withFar) {
        n->farSideChild = childWithCorners("far", 150, 150, 150);
    }
    if (withOrigin) {
        n->originSideChild = childWithCorners("origin", 50, 50, 50);
    }
    return n;
}

TEST(DrawBackToFront, ChildBeyondThePlaneComesBeforeTheNodeAndTheNearOneAfter) {
    const struct {
        const char* what;
        bool far;
        bool origin;
        float eyeZ;
        std::vector<std::string> order;
    } cases[] = {
        {"both, eye on the origin's side", true, true, 0, {"far", "node", "coplanar", "origin"}},
        {"both, eye beyond the plane", true, true, 200, {"origin", "node", "coplanar", "far"}},
        {"origin child on the eye's side", false, true, 0, {"node", "coplanar", "origin"}},
        {"origin child beyond the plane", false, true, 200, {"origin", "node", "coplanar"}},
        {"far child on the eye's side", true, false, 200, {"node", "coplanar", "far"}},
        {"leaf", false, false, 0, {"node", "coplanar"}},
    };
    for (const auto& c : cases) {
        auto root = node(c.far, c.origin);
        EXPECT_EQ(drawOrder(*root, c.eyeZ), c.order) << c.what;
    }
}

TEST(DrawBackToFront, CornerInThePlanesBandDefersToTheNextCorner) {
    // The band reaches 2 units either side of the plane at depth 100, measured along z.
    const struct {
        const char* what;
        float z0, z1, z2;
        bool drawnFirst;
    } cases[] = {
        {"first corner decides", 150, 50, 50, true},
        {"first corner within the band, second beyond", 101, 150, 50, true},
        {"first corner within the band, second in front", 98.5f, 50, 150, false},
        {"two within the band, third beyond", 101.9f, 100, 150, true},
        {"all three within the band", 101, 99, 100, false},
        {"just outside the band", 102, 50, 50, true},
    };
    for (const auto& c : cases) {
        auto root = node(false, true);
        root->farSideChild = childWithCorners("far", c.z0, c.z1, c.z2);
        const std::vector<std::string> first{"far", "node", "coplanar", "origin"};
        const std::vector<std::string> after{"origin", "node", "coplanar", "far"};
        EXPECT_EQ(drawOrder(*root, 0), c.drawnFirst ? first : after) << c.what;
    }
}

TEST(DrawBackToFront, SubtreesNestBackToFront) {
    // Four walls one behind the other, linked in an order that needs both children at every
    // level: 30 -> far 50 -> origin 40; 30 -> origin 10.
    auto root = std::make_unique<BSPNode>();
    root->surfaces = {wallAt("30", 30)};
    root->farSideChild = std::make_unique<BSPNode>();
    root->farSideChild->surfaces = {wallAt("50", 50)};
    root->farSideChild->originSideChild = std::make_unique<BSPNode>();
    root->farSideChild->originSideChild->surfaces = {wallAt("40", 40)};
    root->originSideChild = std::make_unique<BSPNode>();
    root->originSideChild->surfaces = {wallAt("10", 10)};
    EXPECT_THAT(drawOrder(*root, 0), ElementsAre("50", "40", "30", "10"));
    // Between 40 and 50 only the innermost pair stays as it was.
    EXPECT_THAT(drawOrder(*root, 45), ElementsAre("10", "30", "50", "40"));
    EXPECT_THAT(drawOrder(*root, 60), ElementsAre("10", "30", "40", "50"));
}

TEST(DrawBackToFront, DeepChainIsWalkedWithoutRecursion) {
    // Each wall's child lies beyond it, linked alternately as far and origin child, so every
    // level enters its first subtree: the deepest wall is drawn first.
    constexpr int kLength = 200000;
    auto root = std::make_unique<BSPNode>();
    BSPNode* tail = root.get();
    for (int i = 0; i < kLength; ++i) {
        tail->surfaces = {wallAt(std::to_string(i), 10.0f * (i + 1))};
        if (i + 1 < kLength) {
            auto& next = i % 2 ? tail->originSideChild : tail->farSideChild;
            next = std::make_unique<BSPNode>();
            tail = next.get();
        }
    }
    std::vector<std::string> order;
    ASSERT_TRUE(bsptest::runOnSmallStack([&] { order = drawOrder(*root, 0); }, 256 * 1024));
    std::vector<std::string> expected;
    for (int i = kLength - 1; i >= 0; --i) {
        expected.push_back(std::to_string(i));
    }
    EXPECT_THAT(order, ElementsAreArray(expected));
}

} // namespace
} // namespace velmora
