#pragma once

#include "geometry/Surface.h"
#include "world/World.h"

#include <vector>

namespace velmora {

// Replaces, in place, every four-cornered surface by the triangles (c3, c2, c0) and (c0, c1, c2),
// and every surface of five or more corners by the fan (c0, ck, ck+1).
void splitQuadsIntoTriangles(std::vector<Surface>& surfaces);

// Appends the collision edge of every triangle that makes one, in order.
void appendCollisionEdges(const std::vector<Surface>& triangles, std::vector<CollisionEdge>& edges);

// Readies the root's surface list for the tree: drops surfaces that cannot form a triangle,
// splits polygons into triangles, derives the collision edges, and keeps triangles without area
// out of the list.
void convertPolygonsToTriangles(World& world);

} // namespace velmora
