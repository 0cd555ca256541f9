#pragma once

#include "bsp/BSPNode.h"

#include <cstddef>

namespace velmora {

// The size and shape of a BSP tree.
struct TreeStats {
    std::size_t nodes = 0;    // every node, the root included
    std::size_t depth = 0;    // levels: a lone root is 1 deep
    std::size_t surfaces = 0; // surfaces held by all nodes together
};

// Walks the tree without recursion, so the deepest unbalanced tree can be measured.
TreeStats measureTree(const BSPNode& root);

} // namespace velmora
