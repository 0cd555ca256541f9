#include "world/Triangulation.h"

#include "geometry/Plane.h"

#include <iostream>
#include <iterator>

namespace velmora {

namespace {

Surface triangleOf(const Surface& polygon, std::size_t a, std::size_t b, std::size_t c) {
    Surface triangle = polygon.withoutCorners();
    triangle.addCorner(polygon.vertices[a]);
    triangle.addCorner(polygon.vertices[b]);
    triangle.addCorner(polygon.vertices[c]);
    return triangle;
}

void appendTriangles(const Surface& polygon, std::vector<Surface>& out) {
    const std::size_t corners = polygon.vertices.size();
    if (corners == 4) {
        out.push_back(triangleOf(polygon, 3, 2, 0));
        out.push_back(triangleOf(polygon, 0, 1, 2));
    } else if (corners > 4) {
        for (std::size_t k = 1; k + 1 < corners; ++k) {
            out.push_back(triangleOf(polygon, 0, k, k + 1));
        }
    } else {
        out.push_back(polygon);
    }
}

// Surfaces with fewer than three corners have no plane and no edge; they are reported and left
// out rather than read past their end.
void dropShortSurfaces(std::vector<Surface>& surfaces) {
    std::erase_if(surfaces, [](const Surface& surface) {
        if (surface.vertices.size() >= 3) {
            return false;
        }
        std::cout << "skipping surface " << surface.name << ": " << surface.vertices.size()
                  << " corners, a surface needs at least 3" << std::endl;
        return true;
    });
}

bool hasNoArea(const Surface& triangle) {
    return hasZeroNormal(planeOfVertices(triangle.vertices));
}

} // namespace

void splitQuadsIntoTriangles(std::vector<Surface>& surfaces) {
    std::vector<Surface> triangles;
    triangles.reserve(surfaces.size());
    for (const Surface& surface : surfaces) {
        appendTriangles(surface, triangles);
    }
    surfaces = std::move(triangles);
}

void appendCollisionEdges(const std::vector<Surface>& triangles,
                          std::vector<CollisionEdge>& edges) {
    for (const Surface& triangle : triangles) {
        if (std::optional<CollisionEdge> edge = buildCollisionEdge(triangle)) {
            edges.push_back(std::move(*edge));
        }
    }
}

void convertPolygonsToTriangles(World& world) {
    std::vector<Surface>& surfaces = world.bspRoot->surfaces;
    dropShortSurfaces(surfaces);
    splitQuadsIntoTriangles(surfaces);
    appendCollisionEdges(surfaces, world.edges);
    // A triangle whose corners lie on one line has no plane to sort by; its edge (a wall seen
    // edge-on) is kept above, the triangle itself draws nothing.
    std::erase_if(surfaces, hasNoArea);
}

} // namespace velmora
