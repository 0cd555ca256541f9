#include "bsp/BSPNode.h"

#include "bsp/TriangleSplit.h"
#include "geometry/Plane.h"
#include "platform/FatalError.h"
#include "platform/Host.h"
#include "platform/LoadStopped.h"

#include <algorithm>
#include <array>
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

// While the tree is built, surfaces wait for their node on the heap, and what is sorted from level
// to level is a pointer with a copy of the three corners the sort reads: one contiguous list, and
// each surface is moved only once, into the node it ends in.
struct Waiting {
    explicit Waiting(Surface&& s) : surface(std::make_unique<Surface>(std::move(s))) {
        for (int k = 0; k < 3; ++k) {
            const Vertex& corner = surface->vertices[k];
            corners[k] = {corner.x, corner.y, corner.z};
        }
    }

    std::array<std::array<float, 3>, 3> corners;
    std::unique_ptr<Surface> surface;
};
using SurfaceList = std::vector<Waiting>;

// A surface's share of the surface limit: each part of a split copies its names, so long names
// count once more for every 128 characters.
std::size_t weightOf(const Surface& surface) {
    return 1 + (surface.name.size() + surface.colorName.size() + surface.textureName.size()) / 128;
}

// The list one side of a node hands on to its child: a list of its own, or the storage of the
// list being sorted, written from its front while it is read. Building a long chain of walls
// then writes no fresh memory per level.
class SideList {
  public:
    SideList(SurfaceList& sorted, bool inPlace, std::size_t size)
        : sorted_(sorted), inPlace_(inPlace) {
        if (!inPlace_) {
            own_.reserve(size);
        }
    }

    void push(Waiting&& waiting) {
        if (!inPlace_) {
            own_.push_back(std::move(waiting));
            return;
        }
        Waiting& slot = sorted_[written_++];
        if (&slot != &waiting) {
            slot = std::move(waiting);
        }
    }

    SurfaceList take() {
        if (!inPlace_) {
            return std::move(own_);
        }
        sorted_.erase(sorted_.begin() + static_cast<std::ptrdiff_t>(written_), sorted_.end());
        return std::move(sorted_);
    }

  private:
    SurfaceList& sorted_;
    bool inPlace_;
    std::size_t written_ = 0;
    SurfaceList own_;
};

// The parts that keep an area go to the side's list; returns their weight.
std::size_t appendParts(SideList& list, std::vector<Surface>& parts) {
    std::size_t weight = 0;
    for (Surface& part : parts) {
        if (enclosesArea(part)) {
            weight += weightOf(part);
            list.push(Waiting(std::move(part)));
        }
    }
    return weight;
}

FatalError tooLarge(const std::string& what) {
    return FatalError("world too large: " + what, "Error");
}

// What the build has spent so far, against its limits, and where it reports.
class BuildBudget {
  public:
    BuildBudget(platform::Host& host, const TreeLimits& limits, std::stop_token stop,
                const std::vector<Surface>& root)
        : host_(host), limits_(limits), stop_(std::move(stop)) {
        for (const Surface& surface : root) {
            surfaces_ += weightOf(surface);
        }
        checkSurfaces();
    }

    void report(const char* line) const { host_.debugOutput(line); }

    // A node is about to sort `count` surfaces against its partition.
    void sort(std::size_t count) {
        platform::throwIfStopRequested(stop_);
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

    platform::Host& host_;
    TreeLimits limits_;
    std::stop_token stop_;
    std::size_t surfaces_ = 0;
    std::size_t sorts_ = 0;
};

CornerClasses classifyCorners(const PartitionPlane& partition, const Waiting& waiting) {
    CornerClasses classes{};
    for (int k = 0; k < 3; ++k) {
        const auto& [x, y, z] = waiting.corners[k];
        classes[k] = classifyAgainst(partition, x, y, z);
    }
    return classes;
}

// How many entries a surface of these classes gives the far and the origin side's lists at most:
// a split gives two parts to the side that holds two of its corners.
std::pair<std::size_t, std::size_t> sharesOf(const CornerClasses& classes) {
    const auto far = std::count(classes.begin(), classes.end(), FarSide);
    const auto origin = std::count(classes.begin(), classes.end(), OriginSide);
    if (far != 0 && origin != 0) {
        return {far == 2 ? 2 : 1, origin == 2 ? 2 : 1};
    }
    return {far != 0 ? 1 : 0, origin != 0 ? 1 : 0};
}

// Sorts one surface against the node's partition (its first surface) into a side's list, into
// the node itself, or cut into parts for both sides.
void placeSurface(BSPNode& node, const CornerClasses& classes, Waiting&& waiting, SideList& far,
                  SideList& origin, BuildBudget& budget) {
    const auto [farShare, originShare] = sharesOf(classes);
    if (originShare == 0 && farShare != 0) {
        far.push(std::move(waiting));
    } else if (farShare == 0 && originShare != 0) {
        origin.push(std::move(waiting));
    } else if (farShare != 0) {
        // Taken out first: a list written in place may reuse the surface's own slot.
        const std::unique_ptr<Surface> surface = std::move(waiting.surface);
        std::vector<Surface> originParts;
        std::vector<Surface> farParts;
        budget.report("spliting surface\n");
        splitTriangle(*surface, node.surfaces.front(), classes, originParts, farParts);
        budget.report("split complete\n");
        const std::size_t kept = appendParts(origin, originParts) + appendParts(far, farParts);
        budget.replaceByParts(*surface, kept);
    } else {
        node.surfaces.push_back(std::move(*waiting.surface));
        waiting.surface.reset();
    }
}

// Keeps the first surface as the node's partition and sorts the others; returns the far side's
// list and the origin side's list.
std::pair<SurfaceList, SurfaceList> partitionNode(BSPNode& node, SurfaceList sorted,
                                                  std::vector<CornerClasses>& classes,
                                                  BuildBudget& budget) {
    if (sorted.empty()) {
        return {};
    }
    budget.sort(sorted.size());
    node.surfaces.push_back(std::move(*sorted.front().surface));
    sorted.front().surface.reset();
    const PartitionPlane plane = partitionPlaneOf(node.surfaces.front().vertices);

    // Everything is classified (into storage kept from node to node) before anything moves, so
    // that each side's list is allocated once, at its size. A side whose entries never outnumber
    // the slots already read (entry i frees slot i) can be written into the sorted list itself; the
    // larger such side is.
    classes.resize(sorted.size());
    std::size_t farSize = 0;
    std::size_t originSize = 0;
    bool farFits = true;
    bool originFits = true;
    for (std::size_t i = 1; i < sorted.size(); ++i) {
        classes[i] = classifyCorners(plane, sorted[i]);
        const auto [farShare, originShare] = sharesOf(classes[i]);
        farSize += farShare;
        originSize += originShare;
        farFits = farFits && farSize <= i + 1;
        originFits = originFits && originSize <= i + 1;
    }
    // A side that would fill less than half of that storage gets a list of its own, so that the
    // lists waiting for their nodes never hold much more room than entries.
    farFits = farFits && 2 * farSize >= sorted.size();
    originFits = originFits && 2 * originSize >= sorted.size();
    const bool farInPlace = farFits && (farSize >= originSize || !originFits);
    const bool originInPlace = originFits && !farInPlace;
    SideList far(sorted, farInPlace, farSize);
    SideList origin(sorted, originInPlace, originSize);
    for (std::size_t i = 1; i < sorted.size(); ++i) {
        placeSurface(node, classes[i], std::move(sorted[i]), far, origin, budget);
    }
    return {far.take(), origin.take()};
}

// The box around the node's own corners, and the one that adds its children's (finished first).
void boundSubtree(BSPNode& node) {
    Bounds bounds;
    for (const Surface& surface : node.surfaces) {
        for (const Vertex& corner : surface.vertices) {
            bounds.add(corner);
        }
    }
    bounds.known = true;
    node.ownBounds = bounds;
    for (const BSPNode* child : {node.farSideChild.get(), node.originSideChild.get()}) {
        if (child != nullptr) {
            bounds.add(child->bounds);
        }
    }
    node.bounds = bounds;
    node.runs.build(node.surfaces);
}

} // namespace

BSPNode::~BSPNode() {
    releaseSubtree();
}

void BSPNode::buildSubtree(platform::Host& host, const TreeLimits& limits, std::stop_token stop) {
    BuildBudget budget(host, limits, std::move(stop), surfaces);
    // Surfaces with fewer than three corners cannot be classified; the loader never passes any,
    // and they are dropped here.
    SurfaceList rootList;
    rootList.reserve(surfaces.size());
    for (Surface& surface : surfaces) {
        if (hasThreeCorners(surface)) {
            rootList.emplace_back(std::move(surface));
        }
    }
    surfaces.clear();

    // Depth-first with the far child first; a node is finished once both of its subtrees are.
    struct Step {
        BSPNode* node;
        SurfaceList pending;
        bool partitioned = false;
    };
    std::vector<Step> steps;
    std::vector<CornerClasses> classes;
    steps.push_back({this, std::move(rootList)});
    while (!steps.empty()) {
        if (steps.back().partitioned) {
            boundSubtree(*steps.back().node);
            budget.report("partitioning complete.\n");
            steps.pop_back();
            continue;
        }
        BSPNode& node = *steps.back().node;
        auto [farSide, originSide] =
            partitionNode(node, std::move(steps.back().pending), classes, budget);
        // Only an empty root has nothing to partition; it reports nothing either.
        if (node.surfaces.empty()) {
            steps.pop_back();
            continue;
        }
        steps.back().partitioned = true;
        if (!originSide.empty()) {
            node.originSideChild = std::make_unique<BSPNode>();
            steps.push_back({node.originSideChild.get(), std::move(originSide)});
        }
        if (!farSide.empty()) {
            node.farSideChild = std::make_unique<BSPNode>();
            steps.push_back({node.farSideChild.get(), std::move(farSide)});
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
