#pragma once

#include "geometry/Surface.h"
#include "geometry/Vertex.h"

#include <vector>

namespace velmora {

// The plane a·x + b·y + c·z + d = 0; (a, b, c) is its normal, not normalised.
struct Plane {
    float a = 0.0f;
    float b = 0.0f;
    float c = 0.0f;
    float d = 0.0f;
};

// Where a point lies relative to a plane. Sides are judged against the coordinate origin (the world
// origin in world space, the eye in camera space), never by the normal, so the winding of a
// surface does not matter.
enum PlaneSide : int { OnPlane = 0, OriginSide = 1, FarSide = 2 };

// The points (x0 + t·dx, y0 + t·dy, z0 + t·dz).
struct ParametricLine {
    float x0 = 0.0f;
    float y0 = 0.0f;
    float z0 = 0.0f;
    float dx = 0.0f;
    float dy = 0.0f;
    float dz = 0.0f;
};

// The plane through the first three corners. A list of fewer than three corners has no plane and
// gives the all-zero plane.
Plane planeOfVertices(const std::vector<Vertex>& corners);

// True when the normal is exactly zero: the three corners were collinear (or missing), so the
// plane divides nothing and cannot be classified against.
bool hasZeroNormal(const Plane& plane);

// The side of (x, y, z) relative to the plane of the partition's first three corners, taken from
// its viewVertices (camera space) or its vertices (world space). The point's plane parallel to the
// partition and the partition itself are cut with one coordinate axis and the two intercepts are
// compared. A partition without a plane (fewer than three corners, or collinear ones) classes
// every point OnPlane.
PlaneSide classifyPoint(const Surface& partition, bool useViewVertices, float x, float y, float z);

// What classifying against one partition needs, worked out once: its plane, the reversed normal
// that the point's plane carries, and the axis the intercepts are compared on.
struct PartitionPlane {
    enum class Axis { X, Y, Z };
    Plane plane;
    Plane reversed; // only a, b and c are used
    Axis axis = Axis::X;
    float intercept = 0.0f; // the plane's on that axis, -d over its coefficient
};
PartitionPlane partitionPlaneOf(const std::vector<Vertex>& corners);

// classifyPoint against a partition prepared with partitionPlaneOf; the tree build classifies
// every surface of a node against the same partition.
PlaneSide classifyAgainst(const PartitionPlane& partition, float x, float y, float z);

// The axis tests between which classifyPoint chooses: pointPlane is the plane through the point
// parallel to the partition plane. On x and z, intercepts less than 2.0 apart count as OnPlane;
// on y only equal intercepts do.
PlaneSide compareInterceptsX(const Plane& pointPlane, const Plane& partition);
PlaneSide compareInterceptsY(const Plane& pointPlane, const Plane& partition);
PlaneSide compareInterceptsZ(const Plane& pointPlane, const Plane& partition);

// The point where the line meets the plane; a line parallel to the plane gives its start point.
// The result carries no texture coordinates (u = v = 0).
Vertex intersectLineWithPlane(const Plane& plane, const ParametricLine& line);

} // namespace velmora
