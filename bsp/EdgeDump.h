#pragma once

#include "geometry/CollisionEdge.h"

#include <iostream>

namespace velmora {

// One line per edge, as the edge listing shows it:
// "edge: (x1, z1) (x2,z2) top: maxY" followed by " V", " H" or " slope = s".
void dumpEdge(const CollisionEdge& edge, std::ostream& out = std::cout);

} // namespace velmora
