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
               const SurfaceCallback& callback, ColorBuffer& frame, DepthBuffer& depth) {
    const std::vector<Surface*>& visible = walk.visibleSurfaces(*scene.world.bspRoot, view);
    if (scene.groundGrid != nullptr && scene.world.groundGridEnabled == 1) {
        // Painted before the whole tree, so under any of its covered tiles.
        for (GroundCell& cell : scene.groundGrid->cells()) {
            for (Surface* triangle : {&cell.lowerTriangle, &cell.upperTriangle}) {
                if (!walk.hides(*triangle)) {
                    callback(*triangle);
                }
            }
        }
    }
    for (Surface* surface : visible) {
        callback(*surface);
    }
    for (SceneFigure* figure : scene.figures) {
        figure->draw(frame, depth);
    }
}

} // namespace velmora
