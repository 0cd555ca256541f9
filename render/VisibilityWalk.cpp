#include "render/VisibilityWalk.h"

#include "bsp/TreeTraversal.h"
#include "render/Projection.h"
#include "render/ScreenBox.h"

#include <algorithm>
#include <cmath>

namespace velmora {

namespace {

// The pixels a triangle on the frame may cover: those whose centres lie in the box around its
// corners, widened for the coverage's rounding. An edge's crossing of a row is taken 1/256 pixel
// above the centre, which may reach past a corner by the edge's slope over 256.
ScreenBox boxAround(const FramePoint (&corners)[3]) {
    double reach = 1.0;
    for (int i = 0; i < 3; ++i) {
        const FramePoint& a = corners[i];
        const FramePoint& b = corners[(i + 1) % 3];
        if (a.y != b.y) {
            reach = std::max(reach, 1.0 + std::abs((b.x - a.x) / (b.y - a.y)) / 256.0);
        }
    }
    const auto [left, right] = std::minmax({corners[0].x, corners[1].x, corners[2].x});
    const auto [top, bottom] = std::minmax({corners[0].y, corners[1].y, corners[2].y});
    return boxOfExtent(left - reach, top - 1.0, right + reach, bottom + 1.0);
}

} // namespace

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
    // All its pixels hold what comes before it back to front, and their depth too if it writes
    // depth.
    const OcclusionMask& written =
        surface.writesDepth != 0 ? masks_.depthWritten() : masks_.painted();
    if (written.hides(boxAround(corners))) {
        return Sight::Hidden;
    }
    coverTriangle(corners[0], corners[1], corners[2], covered_);
    return written.hides(covered_) ? Sight::Hidden : Sight::Covers;
}

void VisibilityWalk::paint(Surface& surface, SurfacePainter& painter) {
    switch (sightOf(surface)) {
    case Sight::Hidden:
        break;
    case Sight::Covers:
        painter.drawSurface(surface, &covered_);
        break;
    case Sight::Crosses:
        painter.drawSurface(surface);
        break;
    }
}

void VisibilityWalk::paint(BSPNode& root, const ViewTransform& view, SurfacePainter& painter) {
    masks_.clear();
    steps_.assign(1, {&root, Step::Kind::Node, 0, screenBoxOf(root.bounds, view)});
    while (!steps_.empty()) {
        const Step step = steps_.back();
        steps_.pop_back();
        switch (step.kind) {
        case Step::Kind::Node:
            visit(*step.node, step.seen, view);
            break;
        case Step::Kind::Surfaces:
            emitRun(*step.node, 1, view, painter);
            break;
        case Step::Kind::Run:
            emitRun(*step.node, step.box, view, painter);
            break;
        }
    }
}

void VisibilityWalk::visit(BSPNode& node, const ScreenBox& seen, const ViewTransform& view) {
    const OcclusionMask& written = masks_.depthWritten();
    if (written.hides(seen)) {
        return;
    }
    // What of the node may still show: its own surfaces and each child not hidden now (what is
    // hidden now stays hidden). Most nodes a frame reaches in a large world show at most one of
    // the three, which then needs no order, and the walk passes on without reading a surface.
    const bool ownShows =
        !node.surfaces.empty() && !written.hides(screenBoxOf(node.ownBounds, view));
    struct Part {
        BSPNode* child;
        ScreenBox seen;
    };
    Part parts[2] = {{node.farSideChild.get(), {}}, {node.originSideChild.get(), {}}};
    int showing = ownShows ? 1 : 0;
    for (Part& part : parts) {
        if (part.child != nullptr) {
            part.seen = screenBoxOf(part.child->bounds, view);
            if (written.hides(part.seen)) {
                part.child = nullptr;
            } else {
                ++showing;
            }
        }
    }
    const auto push = [&](BSPNode* child) {
        for (const Part& part : parts) {
            if (child != nullptr && part.child == child) {
                steps_.push_back({child, Step::Kind::Node, 0, part.seen});
            }
        }
    };
    if (showing <= 1) {
        if (ownShows) {
            steps_.push_back({&node, Step::Kind::Surfaces});
        }
        push(parts[0].child);
        push(parts[1].child);
        return;
    }
    // The order of the children is judged by the view corners of the partition and of the
    // first surface of one child, the far-side one when there is one.
    view.place(node.surfaces.front());
    BSPNode* tested = node.farSideChild ? node.farSideChild.get() : node.originSideChild.get();
    if (tested != nullptr && !tested->surfaces.empty()) {
        view.place(tested->surfaces.front());
    }
    // Painted: first, the node, next; so walked: next, the node, first (pushed the other way).
    const DrawOrder order = drawOrderOf(node);
    push(order.first);
    if (ownShows) {
        steps_.push_back({&node, Step::Kind::Surfaces});
    }
    push(order.next);
}

void VisibilityWalk::emitRun(BSPNode& node, std::size_t box, const ViewTransform& view,
                             SurfacePainter& painter) {
    const SurfaceRuns& runs = node.runs;
    if (runs.leaves == 0) { // a single run, its box the node's own: tested when it was reached
        emit(node, 0, node.surfaces.size(), view, painter);
        return;
    }
    if (masks_.depthWritten().hides(screenBoxOf(runs.boxes[box], view))) {
        return;
    }
    if (box >= runs.leaves) {
        const std::size_t first = runs.firstOf(box - runs.leaves);
        emit(node, first, std::min(first + SurfaceRuns::kRun, node.surfaces.size()), view, painter);
        return;
    }
    // The later run first.
    steps_.push_back({&node, Step::Kind::Run, 2 * box});
    steps_.push_back({&node, Step::Kind::Run, 2 * box + 1});
}

void VisibilityWalk::emit(BSPNode& node, std::size_t first, std::size_t end,
                          const ViewTransform& view, SurfacePainter& painter) {
    for (std::size_t i = end; i-- > first;) {
        Surface& surface = node.surfaces[i];
        view.place(surface);
        paint(surface, painter);
    }
}

} // namespace velmora
