// The edges a step meets through EdgeCells give the answer that all edges give.
#include "movement/Collision.h"
#include "movement/EdgeCells.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

namespace velmora {
namespace {

TEST(EdgeCells, StepsMeetTheEdgesThatAllEdgesWouldShow) {
    std::mt19937 random(17);
    auto any = [&random](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    // Walls and ledges of every slope, from the program's own edge builder.
    std::vector<CollisionEdge> edges;
    while (edges.size() < 400) {
        const float x = float(any(-500, 500)), z = float(any(-500, 500)), low = float(any(0, 30));
        Surface wall;
        wall.addCorner({x, low, z});
        wall.addCorner({x, low + float(any(1, 60)), z});
        wall.addCorner({x + float(any(-300, 300)), low, z + float(any(-300, 300))});
        if (std::optional<CollisionEdge> edge = buildCollisionEdge(wall)) {
            edges.push_back(*edge);
        }
    }
    EdgeCells cells(edges, {-700, -700, 700, 700});
    std::vector<CollisionEdge> near;
    // A place by an edge's line, where the step test reads it: a sloped edge's line of whole
    // slope runs past the edge's own ends.
    auto byAnEdge = [&](int& x, int& z) {
        const CollisionEdge& e = edges[std::size_t(any(0, int(edges.size()) - 1))];
        const bool alongZ = e.isVertical != 0 || (e.isHorizontal == 0 && std::fabs(e.slope) > 1);
        const int at = alongZ ? any(std::min(e.z1, e.z2), std::max(e.z1, e.z2))
                              : any(std::min(e.x1, e.x2), std::max(e.x1, e.x2));
        const float across = e.isVertical != 0 ? float(e.x1)
                             : alongZ          ? (float(at) - e.intercept) / e.slope
                                               : e.slope * float(at) + e.intercept;
        (alongZ ? z : x) = at;
        (alongZ ? x : z) = int(across) + any(-12, 12);
    };
    for (int i = 0; i < 40000; ++i) {
        StepProbe step{any(-700, 700), 55 + 10 * any(0, 2), any(-700, 700), 0, 0};
        if (i % 2 == 0) {
            byAnEdge(step.xo, step.zo);
        }
        const StepProbe moved{step.xo, step.yo, step.zo, step.xo + any(-10, 10),
                              step.zo + any(-10, 10)};
        cells.near(step.xo, step.zo, near);
        int eyeAll = step.yo, eyeNear = step.yo;
        ASSERT_EQ(stepBlocked(edges, {}, moved, eyeAll), stepBlocked(near, {}, moved, eyeNear))
            << moved.xo << "," << moved.zo << " to " << moved.xn << "," << moved.zn;
        ASSERT_EQ(eyeAll, eyeNear) << moved.xo << "," << moved.zo;
    }
}

} // namespace
} // namespace velmora
