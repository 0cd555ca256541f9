#pragma once

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

// Moves the figures into eye-centred coordinates; offset is the negated eye position. The tree
// and the floor are moved by drawScene, only where it looks.
void translateView(const SceneParts& scene, const Vertex& offset);
// Turns the figures by the frame angle (radians) about the vertical axis.
void rotateView(const SceneParts& scene, float theta);
// The tree, then the floor (when enabled), front to back through the walk and the painter made
// with its masks, so that each pixel ends as painting the floor and then the tree back to front
// would leave it. What is left unpainted is the background's.
void drawScene(const SceneParts& scene, const ViewTransform& view, VisibilityWalk& walk,
               SurfacePainter& painter);
// The figures, over everything else, each behind what is nearer in the depth buffer.
void drawFigures(const SceneParts& scene, ColorBuffer& frame, DepthBuffer& depth);

} // namespace velmora
