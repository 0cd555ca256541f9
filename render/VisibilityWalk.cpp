#include "render/VisibilityWalk.h"

#include "bsp/TreeTraversal.h"
#include "render/Projection.h"
#include "render/ScreenBox.h"

#include <algorithm>

namespace velmora {

VisibilityWalk::Sight VisibilityWalk::sightOf(const Surface& surface) {
    if (surface.viewVertices.size() < 3) {
        return Sight::Hidden;
    }
    int inFront = 0;
    for (std::size_t i = 0; i < 3; ++i) {
        inFront += surface.viewVertices[i].z > 0.0f ? 1 : 0;
    }
    if (inFront < 3) {
        return inFront == 0 ? Sight::Hidden : Sight::Crosses;
    }
    FramePoint corners[3];
    for (std::size_t i = 0; i < 3; ++i) {
        const Vertex& c = surface.viewVertices[i];
        const ScreenPosition p = projectPoint(c.x, c.y, c.z);
        corners[i] = {p.x, p.y};
    }
    coverTriangle(corners[0], corners[1], corners[2], covered_);
    return mask_.hides(covered_) ? Sight::Hidden : Sight::Covers;
}

bool VisibilityWalk::hides(const Surface& surface) {
    return sightOf(surface) == Sight::Hidden;
}

const std::vector<Surface*>& VisibilityWalk::visibleSurfaces(BSPNode& root,
                                                             const ViewTransform& view) {
    mask_.clear();
    surfaces_.clear();
    steps_.assign(1, {&root, Step::Kind::Node});
    while (!steps_.empty()) {
        const Step step = steps_.back();
        steps_.pop_back();
        switch (step.kind) {
        case Step::Kind::Node:
            visit(*step.node, view);
            break;
        case Step::Kind::Surfaces:
            if (step.node->runs.leaves == 0) {
                emit(*step.node, 0, step.node->surfaces.size(), view);
            } else {
                emitRun(*step.node, 1, view);
            }
            break;
        case Step::Kind::Run:
            emitRun(*step.node, step.box, view);
            break;
        }
    }
    std::reverse(surfaces_.begin(), surfaces_.end());
    return surfaces_;
}

void VisibilityWalk::visit(BSPNode& node, const ViewTransform& view) {
    if (mask_.hides(screenBoxOf(node.bounds, view))) {
        return;
    }
    // The sides of the children are judged by the view corners of the partition and of each
    // child's first surface.
    if (!node.surfaces.empty()) {
        view.place(node.surfaces.front());
    }
    for (BSPNode* child : {node.farSideChild.get(), node.originSideChild.get()}) {
        if (child != nullptr && !child->surfaces.empty()) {
            view.place(child->surfaces.front());
        }
    }
    // Painted: first, the node, next; so walked: next, the node, first (pushed the other way).
    const DrawOrder order = drawOrderOf(node);
    if (order.first != nullptr) {
        steps_.push_back({order.first, Step::Kind::Node});
    }
    steps_.push_back({&node, Step::Kind::Surfaces});
    if (order.next != nullptr) {
        steps_.push_back({order.next, Step::Kind::Node});
    }
}

void VisibilityWalk::emitRun(BSPNode& node, std::size_t box, const ViewTransform& view) {
    const SurfaceRuns& runs = node.runs;
    if (mask_.hides(screenBoxOf(runs.boxes[box], view))) {
        return;
    }
    if (box >= runs.leaves) {
        const std::size_t first = runs.firstOf(box - runs.leaves);
        emit(node, first, std::min(first + SurfaceRuns::kRun, node.surfaces.size()), view);
        return;
    }
    // The later run first.
    steps_.push_back({&node, Step::Kind::Run, 2 * box});
    steps_.push_back({&node, Step::Kind::Run, 2 * box + 1});
}

void VisibilityWalk::emit(BSPNode& node, std::size_t first, std::size_t end,
                          const ViewTransform& view) {
    for (std::size_t i = end; i-- > first;) {
        Surface& surface = node.surfaces[i];
        view.place(surface);
        const Sight sight = sightOf(surface);
        if (sight != Sight::Hidden) {
            surfaces_.push_back(&surface);
        }
        if (sight == Sight::Covers && surface.writesDepth != 0) {
            mask_.cover(covered_);
        }
    }
}

} // namespace velmora
