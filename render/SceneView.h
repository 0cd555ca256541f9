#pragma once

#include "bsp/TreeTraversal.h"
#include "ground/GroundGrid.h"
#include "render/SceneFigure.h"
#include "render/ViewTransform.h"
#include "render/VisibilityWalk.h"
#include "world/World.h"

#include <span>

namespace velmora {

// What one frame shows of the world: the tree, the floor (absent when null) and the figures.
struct SceneParts {
    World& world;
    GroundGrid* groundGrid = nullptr;
    std::span<SceneFigure* const> figures;
};

// Moves the floor and the figures into eye-centred coordinates; offset is the negated eye
// position. The floor follows only the whole-number part of the eye's height: its x and z are
// kept relative to the eye by scrolling. The tree is moved by the walk, only where it looks.
void translateView(const SceneParts& scene, const Vertex& offset);
// Turns the floor and the figures by the frame angle (radians) about the vertical axis.
void rotateView(const SceneParts& scene, float theta);
// The floor (when enabled), then the tree back to front, each through the callback; then the
// figures. Of the floor and the tree only what the walk finds in view is handed over: the
// rest would be painted over or off the frame.
void drawScene(const SceneParts& scene, const ViewTransform& view, VisibilityWalk& walk,
               const SurfaceCallback& callback, ColorBuffer& frame, DepthBuffer& depth);

} // namespace velmora
