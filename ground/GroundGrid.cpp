#include "ground/GroundGrid.h"

#include "geometry/Truncate.h"

#include <utility>

namespace velmora {

namespace {

constexpr float kStripShift = float(GroundGrid::kTilesPerSide * GroundGrid::kTileSize);

Surface tileTriangle(const std::string& color, const Vertex& a, const Vertex& b, const Vertex& c) {
    Surface triangle;
    triangle.fillType = kColorFill;
    triangle.colorName = color;
    triangle.writesDepth = 0;
    triangle.addCorner(a);
    triangle.addCorner(b);
    triangle.addCorner(c);
    return triangle;
}

void moveTile(GroundCell& cell, float dx, float dz) {
    cell.cornerX += dx;
    cell.cornerZ += dz;
    const Vertex offset{dx, 0.0f, dz};
    cell.lowerTriangle.translate(offset);
    cell.upperTriangle.translate(offset);
}

} // namespace

GroundGrid::GroundGrid(const std::string& evenColor, const std::string& oddColor) {
    for (int i = 0; i < kTilesPerSide; ++i) {
        for (int j = 0; j < kTilesPerSide; ++j) {
            const float a = float(-600 + kTileSize * j);
            const float b = float(600 - kTileSize * i);
            const std::string& color = (i + j) % 2 == 0 ? evenColor : oddColor;
            GroundCell& cell = cellAt(i, j);
            cell.cornerX = a;
            cell.cornerZ = b;
            cell.lowerTriangle = tileTriangle(color, {a, 0, b}, {a, 0, b - kTileSize},
                                              {a + kTileSize, 0, b - kTileSize});
            cell.upperTriangle = tileTriangle(color, {a, 0, b}, {a + kTileSize, 0, b},
                                              {a + kTileSize, 0, b - kTileSize});
        }
    }
}

void GroundGrid::scrollGround(float dx, float dz) {
    const float ox = float(truncateToInt(scrollX_ - dx));
    const float oz = float(truncateToInt(scrollZ_ - dz));
    const Vertex offset{dx, 0.0f, dz};
    for (GroundCell& cell : cells_) {
        cell.lowerTriangle.translate(offset);
        cell.upperTriangle.translate(offset);
    }
    if (ox > centreCell().cornerX + kTileSize) {
        scrollTowardsPlusX();
    } else if (ox < centreCell().cornerX) {
        scrollTowardsMinusX();
    }
    if (oz > centreCell().cornerZ) {
        scrollTowardsPlusZ();
    } else if (oz < centreCell().cornerZ - kTileSize) {
        scrollTowardsMinusZ();
    }
    scrollX_ = ox;
    scrollZ_ = oz;
}

// In each row the tiles move one column down and the old first column goes to the far end.
void GroundGrid::scrollTowardsPlusX() {
    for (int i = 0; i < kTilesPerSide; ++i) {
        GroundCell moved = std::move(cellAt(i, 0));
        for (int j = 0; j < kTilesPerSide - 1; ++j) {
            cellAt(i, j) = std::move(cellAt(i, j + 1));
        }
        moveTile(moved, kStripShift, 0.0f);
        cellAt(i, kTilesPerSide - 1) = std::move(moved);
    }
}

void GroundGrid::scrollTowardsMinusX() {
    for (int i = 0; i < kTilesPerSide; ++i) {
        GroundCell moved = std::move(cellAt(i, kTilesPerSide - 1));
        for (int j = kTilesPerSide - 1; j > 0; --j) {
            cellAt(i, j) = std::move(cellAt(i, j - 1));
        }
        moveTile(moved, -kStripShift, 0.0f);
        cellAt(i, 0) = std::move(moved);
    }
}

void GroundGrid::scrollTowardsPlusZ() {
    for (int j = 0; j < kTilesPerSide; ++j) {
        GroundCell moved = std::move(cellAt(kTilesPerSide - 1, j));
        for (int i = kTilesPerSide - 1; i > 0; --i) {
            cellAt(i, j) = std::move(cellAt(i - 1, j));
        }
        moveTile(moved, 0.0f, kStripShift);
        cellAt(0, j) = std::move(moved);
    }
}

void GroundGrid::scrollTowardsMinusZ() {
    for (int j = 0; j < kTilesPerSide; ++j) {
        GroundCell moved = std::move(cellAt(0, j));
        for (int i = 0; i < kTilesPerSide - 1; ++i) {
            cellAt(i, j) = std::move(cellAt(i + 1, j));
        }
        moveTile(moved, 0.0f, -kStripShift);
        cellAt(kTilesPerSide - 1, j) = std::move(moved);
    }
}

} // namespace velmora
