#pragma once

#include "geometry/Plane.h"
#include "geometry/Surface.h"

#include <cstddef>
#include <iostream>
#include <optional>
#include <ostream>

namespace velmora {

// Cutting a camera-space triangle (the first three viewVertices) with the eye plane z = 0, so
// that what is left in front can be projected. A corner is in front when z > 0; z = 0 counts as
// behind. Every corner made on the plane is moved to depth 1.0 to keep its projection finite.
// Only x, y and z of the first three viewVertices are changed.

// The plane z = 0 of camera space, as the plane through (−100, 0, 0), (100, 0, 0) and
// (0, 100, 0): a = b = d = 0, c = −20000.
Plane eyeClipPlane();

// The index of the first of the first three viewVertices with z ≤ 0, if any.
std::optional<std::size_t> firstVertexBehind(const Surface& surface);

// One corner in front: each corner behind moves along its edge from the front corner (exact
// float direction) to where the edge crosses z = 0, at depth 1.0.
void clipOneInFront(Surface& surface);

// Two corners in front: the kept quadrilateral becomes two triangles. `second` receives a copy
// of the surface first; then the corner behind becomes I1 in both, and I2 replaces the first
// front corner in `second`. I1 and I2 are the crossings of z = 0 on the lines from the corner
// behind towards the first and the second front corner, whose directions are truncated to
// whole units.
void clipTwoInFront(Surface& surface, Surface& second);

// Keeps the part of the triangle in front of the eye; true when `second` (a copy of the surface
// made by the caller) now holds a second triangle to draw. A triangle with neither one nor two
// corners in front is left alone, reported on `messages`, and gives true.
bool clipSurfaceAtEye(Surface& surface, Surface& second, std::ostream& messages = std::cout);

} // namespace velmora
