#include "render/SceneView.h"

#include "geometry/Truncate.h"
#include "render/ScreenBox.h"

namespace velmora {

void translateView(const SceneParts& scene, const Vertex& offset) {
    for (SceneFigure* figure : scene.figures) {
        figure->translate(offset);
    }
}

void rotateView(const SceneParts& scene, float theta) {
    const RotationMatrix m = rotationAboutY(theta);
    for (SceneFigure* figure : scene.figures) {
        figure->rotate(m);
    }
}

namespace {

// The floor's cells, last first: painted before the tree back to front, so after it front to
// back. A cell is moved into view only when its box may show: most lie behind the eye, beside
// the view or under the buildings.
void drawFloor(GroundGrid& grid, const ViewTransform& view, VisibilityWalk& walk,
               SurfacePainter& painter) {
    // The floor follows only the whole-number part of the eye's height; its x and z are kept
    // relative to the eye by scrolling.
    const ViewTransform floorView{{0.0f, float(truncateToInt(view.offset.y)), 0.0f},
                                  view.rotation};
    // A cell's corners lie within its diagonal of each other: one corner this far behind the
    // eye puts the whole cell behind it.
    constexpr double kBehind = GroundGrid::kTileSize * 1.5;
    const RotationMatrix& m = view.rotation;
    auto& cells = grid.cells();
    for (auto cell = cells.rbegin(); cell != cells.rend(); ++cell) {
        const Vertex& first = cell->lowerTriangle.vertices.front();
        if (double(m[2][0]) * first.x + double(m[2][2]) * first.z < -kBehind) {
            continue;
        }
        Bounds box;
        for (const Surface* triangle : {&cell->upperTriangle, &cell->lowerTriangle}) {
            for (const Vertex& corner : triangle->vertices) {
                box.add(corner);
            }
        }
        box.known = true;
        if (walk.masks().painted().hides(screenBoxOf(box, floorView))) {
            continue;
        }
        floorView.place(cell->upperTriangle);
        floorView.place(cell->lowerTriangle);
        walk.paint(cell->upperTriangle, painter);
        walk.paint(cell->lowerTriangle, painter);
    }
}

} // namespace

void drawScene(const SceneParts& scene, const ViewTransform& view, VisibilityWalk& walk,
               SurfacePainter& painter) {
    walk.paint(*scene.world.bspRoot, view, painter);
    if (scene.groundGrid != nullptr && scene.world.groundGridEnabled == 1) {
        drawFloor(*scene.groundGrid, view, walk, painter);
    }
}

void drawFigures(const SceneParts& scene, ColorBuffer& frame, DepthBuffer& depth) {
    for (SceneFigure* figure : scene.figures) {
        figure->draw(frame, depth);
    }
}

} // namespace velmora
