#pragma once

#include "bsp/Bounds.h"

#include <cstddef>
#include <vector>

namespace velmora {

// Boxes around runs of a node's surfaces in their order, so that a frame can pass over the
// parts of a large plane it cannot see (a row of house fronts, the roofs of a whole town) without
// looking at each surface. A complete binary tree in an array: box 1 holds all the surfaces,
// box i those of boxes 2i and 2i + 1, and box leaves + j the j-th run of kRun surfaces.
struct SurfaceRuns {
    static constexpr std::size_t kRun = 8;

    // A power of two; 0 when the node has no more than one run, and no boxes.
    std::size_t leaves = 0;
    std::vector<Bounds> boxes;

    void build(const std::vector<Surface>& surfaces);
    // The surfaces [first, end) of leaf j.
    std::size_t firstOf(std::size_t leaf) const { return leaf * kRun; }
};

} // namespace velmora
