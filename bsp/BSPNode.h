#pragma once

#include "bsp/Bounds.h"
#include "bsp/SurfaceRuns.h"
#include "geometry/Surface.h"
#include "platform/Host.h"

#include <cstddef>
#include <memory>
#include <stop_token>
#include <vector>

namespace velmora {

// What one build may spend before it ends with a message instead of taking all memory or
// hours: a few walls crossing at awkward angles can split into millions of parts, and walls
// each beyond the last make every level sort all the rest again.
struct TreeLimits {
    // Surfaces the tree holds, parts of splits included; a surface counts once more for every
    // 128 characters of its names. The 50,000-triangle town of the load benchmark holds 3.1
    // million (1.5 GB for the whole load); a split bomb stopped here peaks at 1.9 GB, 2.3 GB
    // with names just short of counting twice, well below 4 GiB.
    std::size_t surfaces = 4'000'000;
    // Surfaces sorted against a partition, summed over all nodes (the work of the build). The
    // same town takes 150 million; a chain of parallel walls reaches this in 10 to 20 seconds.
    std::size_t sorts = 500'000'000;
};

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
    // The world-space box around the corners of this node's surfaces and of all below it, known
    // once buildSubtree has finished the node.
    Bounds bounds;
    // The same around this node's own surfaces only.
    Bounds ownBounds;
    // Boxes around runs of the node's own surfaces, worked out with bounds.
    SurfaceRuns runs;

    // Builds the tree below this node from its surfaces: the first surface partitions the rest,
    // straddling triangles are cut, coplanar surfaces stay here. Progress goes to the host's
    // debug output. Works with an explicit stack, however deep the tree becomes. Throws
    // platform::FatalError ("world too large") once the build passes one of its limits, and
    // platform::LoadStopped at the next node once a stop is requested; the tree built so far
    // stays whole and can be released.
    void buildSubtree(platform::Host& host, const TreeLimits& limits = {},
                      std::stop_token stop = {});
    // Destroys both children and everything below them; this node keeps its surfaces.
    void releaseSubtree();
};

} // namespace velmora
