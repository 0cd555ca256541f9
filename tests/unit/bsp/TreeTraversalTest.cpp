#include "bsp/TreeTraversal.h"
#include "BspTestSupport.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <optional>
#include <string>

namespace velmora {
namespace {

using bsptest::triangle;

// A node whose first surface has its three corners at these depths (world z), across the view.
std::unique_ptr<BSPNode> nodeAt(const std::string& name, std::array<float, 3> z) {
    auto node = std::make_unique<BSPNode>();
    node->surfaces.push_back(triangle(name, {0, 0, z[0]}, {10, 0, z[1]}, {0, 10, z[2]}));
    return node;
}

// The names drawn, space-separated, with the eye at (3, -4, eyeZ); a "!" follows a surface whose
// view corners did not move by the eye's offset.
std::string drawOrder(BSPNode& root, float eyeZ) {
    translateTree(root, {-3, 4, -eyeZ});
    std::string names;
    drawBackToFront(root, [&](Surface& s) {
        const Vertex& w = s.vertices[0];
        const bool moved = s.viewVertices[0] == Vertex{w.x - 3, w.y + 4, w.z - eyeZ, w.u, w.v};
        names += (names.empty() ? "" : " ") + s.name + (moved ? "" : "!");
    });
    return names;
}

TEST(DrawBackToFront, ChildBeyondThePlaneComesFirstAndACornerInItsBandDefers) {
    // The node and a coplanar surface lie at depth 100, whose band reaches 2 units either way;
    // the origin child lies at 50.
    const struct {
        const char* what;
        std::optional<std::array<float, 3>> far;
        bool origin;
        float eyeZ;
        const char* order;
    } cases[] = {
        {"both, eye before", {{150, 150, 150}}, true, 0, "far node coplanar origin"},
        {"both, eye beyond", {{150, 150, 150}}, true, 200, "origin node coplanar far"},
        {"origin child before", {}, true, 0, "node coplanar origin"},
        {"origin child beyond", {}, true, 200, "origin node coplanar"},
        {"far child before", {{150, 150, 150}}, false, 200, "node coplanar far"},
        {"leaf", {}, false, 0, "node coplanar"},
        {"first corner decides", {{150, 50, 50}}, true, 0, "far node coplanar origin"},
        {"first in band, second beyond", {{101, 150, 50}}, true, 0, "far node coplanar origin"},
        {"first in band, second in front", {{98.5f, 50, 150}}, true, 0, "origin node coplanar far"},
        {"two in band, third beyond", {{101.9f, 100, 150}}, true, 0, "far node coplanar origin"},
        {"all three in band", {{101, 99, 100}}, true, 0, "origin node coplanar far"},
    };
    for (const auto& c : cases) {
        auto root = nodeAt("node", {100, 100, 100});
        root->surfaces.push_back(triangle("coplanar", {0, 0, 100}, {5, 0, 100}, {0, 5, 100}));
        if (c.far) {
            root->farSideChild = nodeAt("far", *c.far);
        }
        if (c.origin) {
            root->originSideChild = nodeAt("origin", {50, 50, 50});
        }
        EXPECT_EQ(drawOrder(*root, c.eyeZ), c.order) << c.what;
    }
}

} // namespace
} // namespace velmora
