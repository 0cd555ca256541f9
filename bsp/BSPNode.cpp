#include "bsp/BSPNode.h"

#include "bsp/TriangleSplit.h"
#include "geometry/Plane.h"
#include "platform/FatalError.h"
#include "platform/Host.h"

#include <algorithm>
#include <string>
#include <utility>

namespace velmora {

namespace {

using platform::FatalError;

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

// A surface's share of the surface limit: each part of a split copies its names, so long names
// count once more for every 128 characters.
std::size_t weightOf(const Surface& surface) {
    return 1 + (surface.name.size() + surface.colorName.size() + surface.textureName.size()) / 128;
}

// The parts that keep an area go to the child; returns their weight.
std::size_t appendParts(std::unique_ptr<BSPNode>& slot, std::vector<Surface>& parts) {
    std::size_t weight = 0;
    for (Surface& part : parts) {
        if (enclosesArea(part)) {
            weight += weightOf(part);
            childOf(slot).surfaces.push_back(std::move(part));
        }
    }
    return weight;
}

FatalError tooLarge(const std::string& what) {
    return FatalError("world too large: " + what, "Error");
}

// What the build has spent so far, against its limits.
class BuildBudget {
  public:
    BuildBudget(const TreeLimits& limits, const std::vector<Surface>& root) : limits_(limits) {
        for (const Surface& surface : root) {
            surfaces_ += weightOf(surface);
        }
        checkSurfaces();
    }

    // A node is about to sort `count` surfaces against its partition.
    void sort(std::size_t count) {
        sorts_ += count;
        if (sorts_ > limits_.sorts) {
            throw tooLarge("building the BSP tree takes more than " +
                           std::to_string(limits_.sorts) + " surface sorts");
        }
    }

    // A surface was cut into parts; those that went on into the tree weigh `kept`.
    void replaceByParts(const Surface& surface, std::size_t kept) {
        surfaces_ = surfaces_ - weightOf(surface) + kept;
        checkSurfaces();
    }

  private:
    void checkSurfaces() const {
        if (surfaces_ > limits_.surfaces) {
            throw tooLarge("more than " + std::to_string(limits_.surfaces) +
                           " surfaces in the BSP tree");
        }
    }

    TreeLimits limits_;
    std::size_t surfaces_ = 0;
    std::size_t sorts_ = 0;
};

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
void placeSurface(BSPNode& node, const PartitionPlane& plane, Surface&& surface,
                  BuildBudget& budget) {
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
        const std::size_t kept = appendParts(node.originSideChild, originParts) +
                                 appendParts(node.farSideChild, farParts);
        budget.replaceByParts(surface, kept);
    } else {
        node.surfaces.push_back(std::move(surface));
    }
}

// Keeps the first usable surface as the partition and sorts the others. Surfaces with fewer than
// three corners cannot be classified; the loader never passes any, and they are dropped here.
void partitionNode(BSPNode& node, BuildBudget& budget) {
    budget.sort(node.surfaces.size());
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
            placeSurface(node, plane, std::move(surface), budget);
        }
    }
}

} // namespace

BSPNode::~BSPNode() {
    releaseSubtree();
}

void BSPNode::buildSubtree(const TreeLimits& limits) {
    BuildBudget budget(limits, surfaces);
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
        partitionNode(node, budget);
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
