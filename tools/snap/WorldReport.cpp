#include "WorldReport.h"

#include "bsp/EdgeDump.h"
#include "bsp/TreeStats.h"

namespace velmora::snap {

void printStats(const World& world, std::ostream& out) {
    const TreeStats tree = measureTree(*world.bspRoot);
    out << "colors: " << world.colors.size() << '\n'
        << "definitions: " << world.objectDefinitions.size() << '\n'
        << "instances: " << world.objectInstances.size() << '\n'
        << "surfaces: " << tree.surfaces << '\n'
        << "nodes: " << tree.nodes << '\n'
        << "depth: " << tree.depth << '\n'
        << "edges: " << world.edges.size() << '\n'
        << "location: " << world.defaultLocation.x << ' ' << world.defaultLocation.y << ' '
        << world.defaultLocation.z << '\n'
        << "heading: " << world.defaultHeading << std::endl;
}

void printEdges(const World& world, std::ostream& out) {
    for (const CollisionEdge& edge : world.edges) {
        dumpEdge(edge, out);
    }
}

} // namespace velmora::snap
