#include "bsp/EdgeDump.h"

namespace velmora {

void dumpEdge(const CollisionEdge& edge, std::ostream& out) {
    out << "edge: (" << edge.x1 << ", " << edge.z1 << ") (" << edge.x2 << "," << edge.z2
        << ") top: " << edge.maxY;
    if (edge.isVertical != 0) {
        out << " V";
    } else if (edge.isHorizontal != 0) {
        out << " H";
    } else {
        out << " slope = " << edge.slope;
    }
    out << std::endl;
}

} // namespace velmora
