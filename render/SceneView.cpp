#include "render/SceneView.h"

#include "geometry/Truncate.h"

namespace velmora {

void translateView(const SceneParts& scene, const Vertex& offset) {
    if (scene.groundGrid != nullptr) {
        const Vertex height{0.0f, float(truncateToInt(offset.y)), 0.0f};
        for (GroundCell& cell : scene.groundGrid->cells()) {
            cell.lowerTriangle.setViewFromWorld(height);
            cell.upperTriangle.setViewFromWorld(height);
        }
    }
    for (SceneFigure* figure : scene.figures) {
        figure->translate(offset);
    }
}

void rotateView(const SceneParts& scene, float theta) {
    const RotationMatrix m = rotationAboutY(theta);
    if (scene.groundGrid != nullptr) {
        for (GroundCell& cell : scene.groundGrid->cells()) {
            cell.lowerTriangle.rotateView(m);
            cell.upperTriangle.rotateView(m);
        }
    }
    for (SceneFigure* figure : scene.figures) {
        figure->rotate(m);
    }
}

void drawScene(const SceneParts& scene, const ViewTransform& view, VisibilityWalk& walk,
               SurfacePainter& painter) {
    walk.paint(*scene.world.bspRoot, view, painter);
    if (scene.groundGrid != nullptr && scene.world.groundGridEnabled == 1) {
        // Painted before the tree back to front, so after it front to back, last cell first.
        auto& cells = scene.groundGrid->cells();
        for (auto cell = cells.rbegin(); cell != cells.rend(); ++cell) {
            walk.paint(cell->upperTriangle, painter);
            walk.paint(cell->lowerTriangle, painter);
        }
    }
}

void drawFigures(const SceneParts& scene, ColorBuffer& frame, DepthBuffer& depth) {
    for (SceneFigure* figure : scene.figures) {
        figure->draw(frame, depth);
    }
}

} // namespace velmora
