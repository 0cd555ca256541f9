#pragma once

#include "geometry/Surface.h"

#include <array>
#include <string>

namespace velmora {

// One tile of the floor: it covers x from cornerX to cornerX + 30 and z from cornerZ - 30 to
// cornerZ in the grid's fixed frame (where the eye started at the origin). Its two triangles
// are kept relative to the eye in x and z, and write no depth.
struct GroundCell {
    float cornerX = 0.0f;
    float cornerZ = 0.0f;
    Surface lowerTriangle;
    Surface upperTriangle;
};

// The endless checkerboard under the viewer: 40 x 40 tiles of 30 units, always centred on the
// tile under the eye. When the eye leaves the centre tile, the strip of tiles furthest behind is
// moved to the front. It is not part of the tree and takes no part in collisions.
class GroundGrid {
  public:
    static constexpr int kTileSize = 30;
    static constexpr int kTilesPerSide = 40;
    static constexpr int kCentreIndex = 820; // row 20, column 20

    // A checkerboard of the two colour names, around the starting eye: the cell at index i + 40j
    // is row i (row 0 furthest towards +z) and column j (column 0 furthest towards -x).
    GroundGrid(const std::string& evenColor, const std::string& oddColor);

    // Follows a step of the eye: (dx, dz) is the old position minus the new one. Moves every
    // triangle against the step, then at most one strip per axis so that the centre tile again
    // holds the eye.
    void scrollGround(float dx, float dz);

    std::array<GroundCell, kTilesPerSide * kTilesPerSide>& cells() { return cells_; }
    const std::array<GroundCell, kTilesPerSide * kTilesPerSide>& cells() const { return cells_; }
    const GroundCell& centreCell() const { return cells_[kCentreIndex]; }
    float scrollX() const { return scrollX_; }
    float scrollZ() const { return scrollZ_; }

  private:
    GroundCell& cellAt(int row, int column) { return cells_[row + kTilesPerSide * column]; }
    void scrollTowardsPlusX();
    void scrollTowardsMinusX();
    void scrollTowardsPlusZ();
    void scrollTowardsMinusZ();

    std::array<GroundCell, kTilesPerSide * kTilesPerSide> cells_;
    float scrollX_ = 0.0f;
    float scrollZ_ = 0.0f;
};

} // namespace velmora
