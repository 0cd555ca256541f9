#include "bsp/TreeTraversal.h"

#include "geometry/Plane.h"

#include <utility>
#include <vector>

namespace velmora {

namespace {

// Calls visit on every node, with an explicit stack.
template <typename Visit> void forEachNode(BSPNode& root, Visit visit) {
    std::vector<BSPNode*> pending{&root};
    while (!pending.empty()) {
        BSPNode* node = pending.back();
        pending.pop_back();
        visit(*node);
        if (node->farSideChild) {
            pending.push_back(node->farSideChild.get());
        }
        if (node->originSideChild) {
            pending.push_back(node->originSideChild.get());
        }
    }
}

PlaneSide sideOfCorner(const BSPNode& node, const BSPNode& child, int k) {
    const Vertex& corner = child.surfaces.front().viewVertices[std::size_t(k)];
    return classifyPoint(node.surfaces.front(), true, corner.x, corner.y, corner.z);
}

} // namespace

void translateTree(BSPNode& root, const Vertex& offset) {
    forEachNode(root, [&](BSPNode& node) {
        for (Surface& surface : node.surfaces) {
            surface.setViewFromWorld(offset);
        }
    });
}

void rotateTree(BSPNode& root, const RotationMatrix& m) {
    forEachNode(root, [&](BSPNode& node) {
        for (Surface& surface : node.surfaces) {
            surface.rotateView(m);
        }
    });
}

DrawOrder drawOrderOf(BSPNode& node) {
    BSPNode* tested = node.farSideChild ? node.farSideChild.get() : node.originSideChild.get();
    if (tested == nullptr || node.surfaces.empty() || tested->surfaces.empty()) {
        return {nullptr, tested};
    }
    BSPNode* other = tested == node.farSideChild.get() ? node.originSideChild.get() : nullptr;
    bool beyond = false;
    switch (sideOfCorner(node, *tested, 0)) {
    case FarSide:
        beyond = true;
        break;
    case OriginSide:
        beyond = false;
        break;
    case OnPlane:
        beyond = childIsFarSide(node, *tested, 1);
        break;
    }
    return beyond ? DrawOrder{tested, other} : DrawOrder{other, tested};
}

bool childIsFarSide(const BSPNode& node, const BSPNode& child, int k) {
    for (; k <= 2; ++k) {
        if (child.surfaces.front().viewVertices.size() <= std::size_t(k)) {
            return false;
        }
        switch (sideOfCorner(node, child, k)) {
        case FarSide:
            return true;
        case OriginSide:
            return false;
        case OnPlane:
            break;
        }
    }
    return false;
}

void drawBackToFront(BSPNode& root, const SurfaceCallback& callback) {
    // Each entry is a node still to be visited, or (emit set) a node whose far subtree is done
    // and whose own surfaces come next, followed by its near child.
    struct Step {
        BSPNode* node;
        bool emit;
        BSPNode* next;
    };
    std::vector<Step> steps{{&root, false, nullptr}};
    while (!steps.empty()) {
        const Step step = steps.back();
        steps.pop_back();
        if (step.emit) {
            for (Surface& surface : step.node->surfaces) {
                callback(surface);
            }
            if (step.next != nullptr) {
                steps.push_back({step.next, false, nullptr});
            }
            continue;
        }
        const DrawOrder order = drawOrderOf(*step.node);
        steps.push_back({step.node, true, order.next});
        if (order.first != nullptr) {
            steps.push_back({order.first, false, nullptr});
        }
    }
}

} // namespace velmora
