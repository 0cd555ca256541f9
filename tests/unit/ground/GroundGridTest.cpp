#include "ground/GroundGrid.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace velmora {
namespace {

// The first tile out of order after the eye walked to (ex, ez), empty when none: the tiles lie in
// rows and columns around the centre tile, each tile's triangles where its corner says relative
// to the eye, writing no depth, in a checkerboard fixed to the ground.
std::string brokenTile(const GroundGrid& grid, float ex, float ez) {
    const GroundCell& centre = grid.centreCell();
    for (int k = 0; k < GroundGrid::kTilesPerSide * GroundGrid::kTilesPerSide; ++k) {
        const GroundCell& cell = grid.cells()[k];
        const int row = k % GroundGrid::kTilesPerSide, column = k / GroundGrid::kTilesPerSide;
        const float a = centre.cornerX + 30 * (column - 20), b = centre.cornerZ - 30 * (row - 20);
        const float x = a - ex, z = b - ez;
        const std::vector<Vertex> lower{{x, 0, z}, {x, 0, z - 30}, {x + 30, 0, z - 30}},
            upper{{x, 0, z}, {x + 30, 0, z}, {x + 30, 0, z - 30}};
        // The tile that started at the eye's corner is LT_GRAY.
        const std::string color = (std::lround((a + b) / 30) & 1) == 0 ? "LT_GRAY" : "LT_GRAY_1";
        for (const Surface* t : {&cell.lowerTriangle, &cell.upperTriangle}) {
            if (cell.cornerX != a || cell.cornerZ != b || t->colorName != color ||
                t->writesDepth != 0 || t->vertices != (t == &cell.lowerTriangle ? lower : upper)) {
                return "row " + std::to_string(row) + ", column " + std::to_string(column);
            }
        }
    }
    return {};
}

using Walk = std::vector<std::pair<float, float>>;

Walk repeated(std::pair<float, float> step, int times, Walk walk = {}) {
    walk.insert(walk.end(), std::size_t(times), step);
    return walk;
}

TEST(GroundGrid, TheCentreTileMovesOnlyWhenTheEyeLeavesIt) {
    const struct {
        const char* what;
        Walk walk;              // the eye's steps by (x, z); the grid is told the negated step
        float cornerX, cornerZ; // of the centre tile afterwards
    } cases[] = {
        {"no step", {}, 0, 0},
        {"-x across the corner", {{-10, 0}}, -30, 0},
        {"+x inside the tile", {{10, 0}}, 0, 0},
        {"+x onto the far edge", repeated({10, 0}, 3), 0, 0},
        {"+x past the far edge", repeated({10, 0}, 4), 30, 0},
        {"+z across the corner", {{0, 10}}, 0, 30},
        {"-z onto the near edge", repeated({0, -10}, 3), 0, 0},
        {"-z past the near edge", repeated({0, -10}, 4), 0, -30},
        {"diagonal across both edges", {{-10, 10}}, -30, 30},
        // Back on the corner the eye started at, which the new centre tile also holds.
        {"there and back", {{-10, 10}, {10, -10}}, -30, 30},
        // Far beyond the first extent of 600 and back, strips moved every way many times.
        {"far out", repeated({10, -10}, 90), 870, -870},
        {"far out and back", repeated({-10, 10}, 90, repeated({10, -10}, 90)), 0, 0},
        // The eye's position is truncated while the triangles move exactly.
        {"half a unit", {{0.5f, -0.5f}}, 0, 0},
    };
    for (const auto& c : cases) {
        // The grid is large; keep it off the test's stack.
        const auto grid = std::make_unique<GroundGrid>("LT_GRAY", "LT_GRAY_1");
        float ex = 0, ez = 0;
        for (const auto& [x, z] : c.walk) {
            grid->scrollGround(-x, -z);
            ex += x;
            ez += z;
        }
        EXPECT_EQ(grid->scrollX(), std::trunc(ex)) << c.what;
        EXPECT_EQ(grid->scrollZ(), std::trunc(ez)) << c.what;
        EXPECT_EQ(grid->centreCell().cornerX, c.cornerX) << c.what;
        EXPECT_EQ(grid->centreCell().cornerZ, c.cornerZ) << c.what;
        EXPECT_EQ(brokenTile(*grid, ex, ez), "") << c.what;
    }
}

} // namespace
} // namespace velmora
