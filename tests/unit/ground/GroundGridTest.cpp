#include "ground/GroundGrid.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace velmora {
namespace {

// Everything a grid must keep after a walk of whole-number steps: the centre tile holds the
// eye, the tiles are in order around it, each tile's triangles are where its corner says
// relative to the eye, and the colours form a checkerboard fixed to the ground. Returns the
// first broken rule, empty when all hold.
std::string brokenRule(const GroundGrid& grid) {
    const GroundCell& centre = grid.centreCell();
    const float ex = grid.scrollX(), ez = grid.scrollZ();
    if (ex < centre.cornerX || ex > centre.cornerX + 30 || ez < centre.cornerZ - 30 ||
        ez > centre.cornerZ) {
        return "the eye is off the centre tile";
    }
    for (int i = 0; i < GroundGrid::kTilesPerSide; ++i) {
        for (int j = 0; j < GroundGrid::kTilesPerSide; ++j) {
            const GroundCell& cell = grid.cells()[i + GroundGrid::kTilesPerSide * j];
            const std::string where =
                " at row " + std::to_string(i) + ", column " + std::to_string(j);
            const float a = cell.cornerX, b = cell.cornerZ;
            if (a != centre.cornerX + 30 * (j - 20) || b != centre.cornerZ - 30 * (i - 20)) {
                return "tile out of place" + where;
            }
            const Vertex lower[] = {{a, 0, b}, {a, 0, b - 30}, {a + 30, 0, b - 30}};
            const Vertex upper[] = {{a, 0, b}, {a + 30, 0, b}, {a + 30, 0, b - 30}};
            for (int k = 0; k < 3; ++k) {
                if (cell.lowerTriangle.vertices.at(k) !=
                        Vertex{lower[k].x - ex, 0, lower[k].z - ez} ||
                    cell.upperTriangle.vertices.at(k) !=
                        Vertex{upper[k].x - ex, 0, upper[k].z - ez}) {
                    return "triangle corner " + std::to_string(k) + " astray" + where;
                }
            }
            // The tile that started at the eye's corner is LT_GRAY.
            const bool even = (int(std::lround(a / 30 + b / 30)) & 1) == 0;
            const std::string color = even ? "LT_GRAY" : "LT_GRAY_1";
            if (cell.lowerTriangle.colorName != color || cell.upperTriangle.colorName != color) {
                return "colour " + cell.lowerTriangle.colorName + where;
            }
            if (cell.lowerTriangle.writesDepth != 0 || cell.upperTriangle.writesDepth != 0) {
                return "the floor writes depth" + where;
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

class Ground : public ::testing::Test {
  protected:
    // The grid is large; keep it off the test's stack. The eye walks by (x, z); the grid is told
    // the negated step.
    std::unique_ptr<GroundGrid> walked(const Walk& walk) {
        auto grid = std::make_unique<GroundGrid>("LT_GRAY", "LT_GRAY_1");
        for (const auto& [x, z] : walk) {
            grid->scrollGround(-x, -z);
        }
        return grid;
    }
};

TEST_F(Ground, TheCentreTileMovesOnlyWhenTheEyeLeavesIt) {
    const struct {
        const char* what;
        Walk walk;
        float cornerX, cornerZ; // of the centre tile afterwards
    } cases[] = {
        {"no step", {}, 0, 0},
        {"-x across the corner", {{-10, 0}}, -30, 0},
        {"+x inside the tile", {{10, 0}}, 0, 0},
        {"+x onto the far edge", repeated({10, 0}, 3), 0, 0},
        {"+x past the far edge", repeated({10, 0}, 4), 30, 0},
        {"+z across the corner", {{0, 10}}, 0, 30},
        {"-z past the near edge", repeated({0, -10}, 4), 0, -30},
        {"diagonal across both edges", {{-10, 10}}, -30, 30},
        // Back on the corner the eye started at, which the new centre tile also holds.
        {"there and back", {{-10, 10}, {10, -10}}, -30, 30},
        // Far beyond the first extent of 600 and back, strips moved every way many times.
        {"far out", repeated({10, -10}, 90), 870, -870},
        {"far out and back", repeated({-10, 10}, 90, repeated({10, -10}, 90)), 0, 0},
    };
    for (const auto& c : cases) {
        const auto grid = walked(c.walk);
        EXPECT_EQ(grid->centreCell().cornerX, c.cornerX) << c.what;
        EXPECT_EQ(grid->centreCell().cornerZ, c.cornerZ) << c.what;
        EXPECT_EQ(brokenRule(*grid), "") << c.what;
    }
}

TEST_F(Ground, TheEyesPositionIsTruncatedWhileTheTrianglesMoveExactly) {
    const auto grid = walked({{0.5f, -0.5f}});
    EXPECT_EQ(grid->scrollX(), 0.0f);
    EXPECT_EQ(grid->scrollZ(), 0.0f);
    EXPECT_EQ(grid->centreCell().lowerTriangle.vertices[0], (Vertex{-0.5f, 0, 0.5f}));
}

} // namespace
} // namespace velmora
