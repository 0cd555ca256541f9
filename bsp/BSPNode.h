#pragma once

#include "geometry/Surface.h"

#include <memory>
#include <vector>

namespace velmora {

// One node of the scene's BSP tree. After buildSubtree its first surface is the partition; any
// further surfaces lie in the partition's plane. A child exists only while it holds surfaces.
class BSPNode {
  public:
    // Tears the subtree down without recursion, so that a deep, unbalanced tree cannot exhaust
    // the stack.
    virtual ~BSPNode();

    // Surfaces beyond the partition plane, as seen from the world origin.
    std::unique_ptr<BSPNode> farSideChild;
    // Surfaces on the world origin's side of the partition plane.
    std::unique_ptr<BSPNode> originSideChild;
    std::vector<Surface> surfaces;

    // Builds the tree below this node from its surfaces: the first surface partitions the rest,
    // straddling triangles are cut, coplanar surfaces stay here. Progress goes to the host's
    // debug output. Works with an explicit stack, however deep the tree becomes.
    void buildSubtree();
    // Destroys both children and everything below them; this node keeps its surfaces.
    void releaseSubtree();
};

} // namespace velmora
