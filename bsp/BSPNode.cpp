#include "bsp/BSPNode.h"

#include "bsp/TriangleSplit.h"
#include "geometry/Plane.h"
#include "platform/Host.h"

#include <algorithm>
#include <utility>

namespace velmora {

namespace {

bool hasThreeCorners(const Surface& surface) {
    return surface.vertices.size() >= 3;
}

// A triangle whose corners are collinear has no area and no plane; as a partition it would
// divide by zero. Float rounding in a split can produce one.
bool enclosesArea(const Surface& surface) {
    return !hasZeroNormal(planeOfVertices(surface.vertices));
}

BSPNode& childOf(std::unique_ptr<BSPNode>& slot) {
    if (!slot) {
        slot = std::make_unique<BSPNode>();
    }
    return *slot;
}

void appendParts(std::unique_ptr<BSPNode>& slot, std::vector<Surface>& parts) {
    for (Surface& part : parts) {
        if (enclosesArea(part)) {
            childOf(slot).surfaces.push_back(std::move(part));
        }
    }
}

CornerClasses classifyCorners(const PartitionPlane& partition, const Surface& surface) {
    CornerClasses classes{};
    for (int k = 0; k < 3; ++k) {
        const Vertex& corner = surface.vertices[k];
        classes[k] = classifyAgainst(partition, corner.x, corner.y, corner.z);
    }
    return classes;
}

bool contains(const CornerClasses& classes, PlaneSide side) {
    return std::find(classes.begin(), classes.end(), side) != classes.end();
}

// Sorts one surface against the node's partition (its first surface) into a child, into the
// node itself, or cut into parts for both children.
void placeSurface(BSPNode& node, const PartitionPlane& plane, Surface&& surface) {
    const Surface& partition = node.surfaces.front();
    const CornerClasses classes = classifyCorners(plane, surface);
    const bool anyOrigin = contains(classes, OriginSide);
    const bool anyFar = contains(classes, FarSide);
    if (anyFar && !anyOrigin) {
        childOf(node.farSideChild).surfaces.push_back(std::move(surface));
    } else if (anyOrigin && !anyFar) {
        childOf(node.originSideChild).surfaces.push_back(std::move(surface));
    } else if (anyOrigin && anyFar) {
        std::vector<Surface> originParts;
        std::vector<Surface> farParts;
        platform::host().debugOutput("spliting surface\n");
        splitTriangle(surface, partition, classes, originParts, farParts);
        platform::host().debugOutput("split complete\n");
        appendParts(node.originSideChild, originParts);
        appendParts(node.farSideChild, farParts);
    } else {
        node.surfaces.push_back(std::move(surface));
    }
}

// Keeps the first usable surface as the partition and sorts the others. Surfaces with fewer than
// three corners cannot be classified; the loader never passes any, and they are dropped here.
void partitionNode(BSPNode& node) {
    std::vector<Surface> pending = std::move(node.surfaces);
    node.surfaces.clear();
    PartitionPlane plane;
    for (Surface& surface : pending) {
        if (!hasThreeCorners(surface)) {
            continue;
        }
        if (node.surfaces.empty()) {
            node.surfaces.push_back(std::move(surface));
            plane = partitionPlaneOf(node.surfaces.front().vertices);
        } else {
            placeSurface(node, plane, std::move(surface));
        }
    }
}

} // namespace

BSPNode::~BSPNode() {
    releaseSubtree();
}

void BSPNode::buildSubtree() {
    // Depth-first with the far child first; a node is finished once both of its subtrees are.
    struct Step {
        BSPNode* node;
        bool partitioned;
    };
    std::vector<Step> steps{{this, false}};
    while (!steps.empty()) {
        Step& step = steps.back();
        BSPNode& node = *step.node;
        if (step.partitioned) {
            platform::host().debugOutput("partitioning complete.\n");
            steps.pop_back();
            continue;
        }
        partitionNode(node);
        // Only an empty root has nothing to partition; it reports nothing either.
        if (node.surfaces.empty()) {
            steps.pop_back();
            continue;
        }
        step.partitioned = true;
        if (node.originSideChild) {
            steps.push_back({node.originSideChild.get(), false});
        }
        if (node.farSideChild) {
            steps.push_back({node.farSideChild.get(), false});
        }
    }
}

void BSPNode::releaseSubtree() {
    // Children are detached into a worklist before they die, so each destructor finds no
    // children of its own and no destruction recurses.
    std::vector<std::unique_ptr<BSPNode>> doomed;
    doomed.push_back(std::move(farSideChild));
    doomed.push_back(std::move(originSideChild));
    while (!doomed.empty()) {
        std::unique_ptr<BSPNode> node = std::move(doomed.back());
        doomed.pop_back();
        if (node) {
            doomed.push_back(std::move(node->farSideChild));
            doomed.push_back(std::move(node->originSideChild));
        }
    }
}

} // namespace velmora
