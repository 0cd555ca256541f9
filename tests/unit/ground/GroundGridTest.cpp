#include "ground/GroundGrid.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <utility>

namespace velmora {
namespace {

constexpr int kSide = GroundGrid::kTilesPerSide;

const GroundCell& cellAt(const GroundGrid& grid, int row, int column) {
    return grid.cells()[row + kSide * column];
}

// Everything a grid must keep after any walk, whose steps were whole numbers: the centre tile
// holds the eye, the tiles are in order around it, each tile's triangles are where its corner
// says relative to the eye, and the colours form a checkerboard fixed to the ground. Returns
// the first broken rule, empty when all hold.
std::string brokenRule(const GroundGrid& grid) {
    const GroundCell& centre = grid.centreCell();
    const float ex = grid.scrollX(), ez = grid.scrollZ();
    if (ex < centre.cornerX || ex > centre.cornerX + 30 || ez < centre.cornerZ - 30 ||
        ez > centre.cornerZ) {
        return "the eye is off the centre tile";
    }
    for (int i = 0; i < kSide; ++i) {
        for (int j = 0; j < kSide; ++j) {
            const GroundCell& cell = cellAt(grid, i, j);
            const std::string where =
                " at row " + std::to_string(i) + ", column " + std::to_string(j);
            const float a = cell.cornerX, b = cell.cornerZ;
            if (a != centre.cornerX + 30 * (j - 20) || b != centre.cornerZ - 30 * (i - 20)) {
                return "tile out of place" + where;
            }
            const Vertex lower[] = {{a, 0, b}, {a, 0, b - 30}, {a + 30, 0, b - 30}};
            const Vertex upper[] = {{a, 0, b}, {a + 30, 0, b}, {a + 30, 0, b - 30}};
            for (int k = 0; k < 3; ++k) {
                const Vertex l{lower[k].x - ex, 0, lower[k].z - ez};
                const Vertex u{upper[k].x - ex, 0, upper[k].z - ez};
                if (cell.lowerTriangle.vertices.at(k) != l ||
                    cell.upperTriangle.vertices.at(k) != u) {
                    return "triangle corner " + std::to_string(k) + " astray" + where;
                }
            }
            // The tile that started at the origin's corner is LT_GRAY; colours alternate per
            // tile of the fixed ground, so a moved tile keeps its colour.
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

class Ground : public ::testing::Test {
  protected:
    // The grid is large; keep it off the test's stack.
    std::unique_ptr<GroundGrid> grid = std::make_unique<GroundGrid>("LT_GRAY", "LT_GRAY_1");

    // The eye walks by (x, z); the grid is told the negated step.
    void walk(float x, float z) { grid->scrollGround(-x, -z); }
};

TEST_F(Ground, StartsCentredOnTheEyeWithALightGrayCornerTile) {
    EXPECT_EQ(grid->centreCell().cornerX, 0.0f);
    EXPECT_EQ(grid->centreCell().cornerZ, 0.0f);
    EXPECT_EQ(&grid->centreCell(), &cellAt(*grid, 20, 20));
    EXPECT_EQ(cellAt(*grid, 0, 0).cornerX, -600.0f);
    EXPECT_EQ(cellAt(*grid, 0, 0).cornerZ, 600.0f);
    EXPECT_EQ(cellAt(*grid, 0, 0).lowerTriangle.colorName, "LT_GRAY");
    EXPECT_EQ(cellAt(*grid, 0, 1).upperTriangle.colorName, "LT_GRAY_1");
    EXPECT_EQ(cellAt(*grid, 1, 0).upperTriangle.colorName, "LT_GRAY_1");
    EXPECT_EQ(brokenRule(*grid), "");
}

TEST_F(Ground, StepsScrollOnlyWhenTheEyeLeavesTheCentreTile) {
    const struct {
        const char* what;
        std::vector<std::pair<float, float>> steps;
        float cornerX; // of the centre tile afterwards
        float cornerZ;
    } cases[] = {
        {"-x across the corner", {{-10, 0}}, -30, 0},
        {"+x inside the tile", {{10, 0}}, 0, 0},
        {"+x onto the far edge", {{10, 0}, {10, 0}, {10, 0}}, 0, 0},
        {"+x past the far edge", {{10, 0}, {10, 0}, {10, 0}, {10, 0}}, 30, 0},
        {"+z across the corner", {{0, 10}}, 0, 30},
        {"-z past the near edge", {{0, -10}, {0, -10}, {0, -10}, {0, -10}}, 0, -30},
        {"diagonal across both edges", {{-10, 10}}, -30, 30},
        // Back on the corner the eye started at, which the new centre tile also holds.
        {"there and back", {{-10, 10}, {10, -10}}, -30, 30},
    };
    for (const auto& c : cases) {
        grid = std::make_unique<GroundGrid>("LT_GRAY", "LT_GRAY_1");
        for (const auto& [x, z] : c.steps) {
            walk(x, z);
        }
        EXPECT_EQ(grid->centreCell().cornerX, c.cornerX) << c.what;
        EXPECT_EQ(grid->centreCell().cornerZ, c.cornerZ) << c.what;
        EXPECT_EQ(brokenRule(*grid), "") << c.what;
    }
}

TEST_F(Ground, LongWalkKeepsTheCheckerboardWhole) {
    // A fixed pseudo-random walk of axis and diagonal steps, far beyond the grid's first extent.
    const std::pair<float, float> moves[] = {{10, 0},  {-10, 0},  {0, 10},   {0, -10},
                                             {10, 10}, {-10, 10}, {10, -10}, {-10, -10}};
    unsigned state = 12345;
    for (int step = 0; step < 400; ++step) {
        state = state * 1103515245u + 12345u;
        // Every third step goes towards +x and -z, so the walk leaves the first tiles behind.
        const auto [x, z] = step % 3 == 0 ? moves[6] : moves[(state >> 16) % 8];
        walk(x, z);
        if (step % 50 == 0) {
            ASSERT_EQ(brokenRule(*grid), "") << "after step " << step;
        }
    }
    EXPECT_GT(grid->scrollX(), 600.0f);
    EXPECT_EQ(brokenRule(*grid), "");
}

} // namespace
} // namespace velmora
