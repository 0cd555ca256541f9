#include "geometry/Plane.h"

#include <cmath>

namespace velmora {

namespace {

struct Direction {
    float x;
    float y;
    float z;
};

Direction difference(const Vertex& to, const Vertex& from) {
    return {to.x - from.x, to.y - from.y, to.z - from.z};
}

// The plane through p with the given normal.
Plane planeThrough(const Direction& normal, float px, float py, float pz) {
    return {normal.x, normal.y, normal.z, -(normal.x * px + normal.y * py + normal.z * pz)};
}

// Classes the point's intercept tP against the partition's intercept tS on one axis. The side
// that holds the origin is the one towards zero from tS; a plane through the origin (tS = 0)
// counts as lying on the positive side, so positive coordinates are beyond it.
PlaneSide compareIntercepts(float tP, float tS, bool withBand) {
    if (withBand && std::fabs(tS - tP) < 2.0f) {
        return OnPlane;
    }
    if (tS >= 0.0f) {
        if (tP > tS) {
            return FarSide;
        }
        if (tP < tS) {
            return OriginSide;
        }
        return OnPlane;
    }
    if (tP < tS) {
        return FarSide;
    }
    if (tP > tS) {
        return OriginSide;
    }
    return OnPlane;
}

using Axis = PartitionPlane::Axis;

// The axis on which the partition is tested: decided by exact zero tests of the normal, and,
// when both a and c are set, by whichever of the x and z intercepts is nearer the origin. A
// sloped plane is never tested on y.
Axis chooseAxis(const Plane& s) {
    if (s.b == 0.0f && s.c == 0.0f) {
        return Axis::X;
    }
    if (s.a == 0.0f) {
        return s.b == 0.0f ? Axis::Z : Axis::Y;
    }
    if (s.c == 0.0f) {
        return Axis::X;
    }
    return std::fabs(s.d / s.a) <= std::fabs(s.d / s.c) ? Axis::X : Axis::Z;
}

} // namespace

Plane planeOfVertices(const std::vector<Vertex>& corners) {
    if (corners.size() < 3) {
        return {};
    }
    const Vertex& p0 = corners[0];
    const Direction u = difference(corners[1], p0);
    const Direction w = difference(corners[2], p0);
    const Direction n{w.y * u.z - w.z * u.y, w.z * u.x - w.x * u.z, w.x * u.y - w.y * u.x};
    return planeThrough(n, p0.x, p0.y, p0.z);
}

bool hasZeroNormal(const Plane& plane) {
    return plane.a == 0.0f && plane.b == 0.0f && plane.c == 0.0f;
}

PlaneSide compareInterceptsX(const Plane& pointPlane, const Plane& partition) {
    const float tS = -partition.d / partition.a;
    const float tP = -pointPlane.d / pointPlane.a;
    return compareIntercepts(tP, tS, true);
}

PlaneSide compareInterceptsY(const Plane& pointPlane, const Plane& partition) {
    const float tS = -partition.d / partition.b;
    const float tP = -pointPlane.d / pointPlane.b;
    return compareIntercepts(tP, tS, false);
}

PlaneSide compareInterceptsZ(const Plane& pointPlane, const Plane& partition) {
    const float tS = -partition.d / partition.c;
    const float tP = -pointPlane.d / pointPlane.c;
    return compareIntercepts(tP, tS, true);
}

PartitionPlane partitionPlaneOf(const std::vector<Vertex>& corners) {
    PartitionPlane partition;
    partition.plane = planeOfVertices(corners);
    if (hasZeroNormal(partition.plane)) {
        return partition;
    }
    const Direction u = difference(corners[1], corners[0]);
    const Direction w = difference(corners[2], corners[0]);
    partition.reversed = {u.y * w.z - u.z * w.y, u.z * w.x - u.x * w.z, u.x * w.y - u.y * w.x,
                          0.0f};
    partition.axis = chooseAxis(partition.plane);
    const Plane& s = partition.plane;
    partition.intercept = -s.d / (partition.axis == Axis::X   ? s.a
                                  : partition.axis == Axis::Y ? s.b
                                                              : s.c);
    return partition;
}

PlaneSide classifyAgainst(const PartitionPlane& partition, float x, float y, float z) {
    // Without a normal every intercept would be 0/0; nothing can be told apart.
    if (hasZeroNormal(partition.plane)) {
        return OnPlane;
    }
    const Direction reversed{partition.reversed.a, partition.reversed.b, partition.reversed.c};
    // As compareInterceptsX, Y or Z, with the partition's intercept worked out once.
    const Plane q = planeThrough(reversed, x, y, z);
    switch (partition.axis) {
    case Axis::X:
        return compareIntercepts(-q.d / q.a, partition.intercept, true);
    case Axis::Y:
        return compareIntercepts(-q.d / q.b, partition.intercept, false);
    case Axis::Z:
        break;
    }
    return compareIntercepts(-q.d / q.c, partition.intercept, true);
}

PlaneSide classifyPoint(const Surface& partition, bool useViewVertices, float x, float y, float z) {
    const std::vector<Vertex>& corners =
        useViewVertices ? partition.viewVertices : partition.vertices;
    return classifyAgainst(partitionPlaneOf(corners), x, y, z);
}

Vertex intersectLineWithPlane(const Plane& plane, const ParametricLine& line) {
    const float den = plane.a * line.dx + plane.b * line.dy + plane.c * line.dz;
    float t = 0.0f;
    if (den != 0.0f) {
        t = -(plane.a * line.x0 + plane.b * line.y0 + plane.c * line.z0 + plane.d) / den;
    }
    Vertex point;
    point.x = line.x0 + t * line.dx;
    point.y = line.y0 + t * line.dy;
    point.z = line.z0 + t * line.dz;
    return point;
}

} // namespace velmora
