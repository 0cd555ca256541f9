#include "bsp/SurfaceRuns.h"

namespace velmora {

void SurfaceRuns::build(const std::vector<Surface>& surfaces) {
    const std::size_t runs = (surfaces.size() + kRun - 1) / kRun;
    leaves = 0;
    boxes.clear();
    if (runs <= 1) {
        return;
    }
    leaves = 1;
    while (leaves < runs) {
        leaves *= 2;
    }
    boxes.assign(2 * leaves, Bounds{});
    for (std::size_t i = 0; i < surfaces.size(); ++i) {
        Bounds& box = boxes[leaves + i / kRun];
        for (const Vertex& corner : surfaces[i].vertices) {
            box.add(corner);
        }
    }
    for (std::size_t i = 2 * leaves; i-- > 1;) {
        boxes[i].known = true;
        if (i < leaves) {
            boxes[i].add(boxes[2 * i]);
            boxes[i].add(boxes[2 * i + 1]);
        }
    }
}

} // namespace velmora
