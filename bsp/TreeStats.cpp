#include "bsp/TreeStats.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace velmora {

TreeStats measureTree(const BSPNode& root) {
    TreeStats stats;
    std::vector<std::pair<const BSPNode*, std::size_t>> pending{{&root, 1}};
    while (!pending.empty()) {
        const auto [node, level] = pending.back();
        pending.pop_back();
        ++stats.nodes;
        stats.depth = std::max(stats.depth, level);
        stats.surfaces += node->surfaces.size();
        for (const BSPNode* child : {node->farSideChild.get(), node->originSideChild.get()}) {
            if (child != nullptr) {
                pending.emplace_back(child, level + 1);
            }
        }
    }
    return stats;
}

} // namespace velmora
