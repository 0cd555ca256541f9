#pragma once

#include "geometry/Plane.h"
#include "geometry/Surface.h"

#include <array>
#include <vector>

namespace velmora {

// The classes of a triangle's corners 0, 1 and 2 against a partition.
using CornerClasses = std::array<PlaneSide, 3>;

// Cuts a triangle that has corners on both sides of the partition's world-space plane into
// triangles that each lie on one side, and appends them to originParts and farParts. The side
// holding one corner gets one "_near_part" triangle, the side holding two gets "_part_1" and
// "_part_2"; a cut through a corner gives one "_near_part" on each side. Only the first three
// corners of the triangle are read; a surface with fewer gives nothing. A suffix that would make
// a name longer than 48 characters is left off: the part keeps the triangle's name.
void splitTriangle(const Surface& triangle, const Surface& partition, const CornerClasses& classes,
                   std::vector<Surface>& originParts, std::vector<Surface>& farParts);

// The part around the OriginSide corner L: the OriginSide and OnPlane corners in index order,
// then the crossing from L towards each FarSide corner in index order. Named "_near_part";
// nothing without an OriginSide corner.
void makeSingleVertexPart(const Surface& triangle, const CornerClasses& classes, const Plane& plane,
                          std::vector<Surface>& out);

// The two triangles (I1, F1, F2) "_part_1" and (I1, I2, F2) "_part_2" covering what the plane
// cuts off opposite the OriginSide corner L, where F1, F2 are the other corners in index order and
// I1, I2 the crossings from L towards them. Nothing without an OriginSide corner.
void makeTwoVertexParts(const Surface& triangle, const CornerClasses& classes, const Plane& plane,
                        std::vector<Surface>& out);

} // namespace velmora
