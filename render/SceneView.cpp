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
    translateTree(*scene.world.bspRoot, offset);
    for (SceneFigure* figure : scene.figures) {
        figure->translate(offset);
    }
}

void rotateView(const SceneParts& scene, float theta) {
    const RotationMatrix m = rotationAboutY(theta);
    rotateTree(*scene.world.bspRoot, m);
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

void drawScene(const SceneParts& scene, const SurfaceCallback& callback, ColorBuffer& frame,
               DepthBuffer& depth) {
    if (scene.groundGrid != nullptr && scene.world.groundGridEnabled == 1) {
        for (GroundCell& cell : scene.groundGrid->cells()) {
            callback(cell.lowerTriangle);
            callback(cell.upperTriangle);
        }
    }
    drawBackToFront(*scene.world.bspRoot, callback);
    for (SceneFigure* figure : scene.figures) {
        figure->draw(frame, depth);
    }
}

} // namespace velmora
