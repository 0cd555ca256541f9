#include "geometry/PolygonShape.h"

#include <cmath>

namespace velmora {

namespace {

struct Vector3 {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};

Vector3 between(const Vertex& from, const Vertex& to) {
    return {double(to.x) - from.x, double(to.y) - from.y, double(to.z) - from.z};
}

Vector3 cross(const Vector3& a, const Vector3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

double dot(const Vector3& a, const Vector3& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

double length(const Vector3& a) {
    return std::sqrt(dot(a, a));
}

// The sum of the cross products of neighbouring corners: normal to a flat polygon, twice its
// area long.
Vector3 newellNormal(const std::vector<Vertex>& corners) {
    Vector3 normal;
    for (std::size_t i = 0; i < corners.size(); ++i) {
        const Vertex& a = corners[i];
        const Vertex& b = corners[(i + 1) % corners.size()];
        normal.x += (double(a.y) - b.y) * (double(a.z) + b.z);
        normal.y += (double(a.z) - b.z) * (double(a.x) + b.x);
        normal.z += (double(a.x) - b.x) * (double(a.y) + b.y);
    }
    return normal;
}

struct Point2 {
    double u = 0.0;
    double v = 0.0;
};

// The corner seen along the normal's largest axis.
Point2 projected(const Vertex& corner, const Vector3& normal) {
    const double ax = std::fabs(normal.x);
    const double ay = std::fabs(normal.y);
    const double az = std::fabs(normal.z);
    if (ax >= ay && ax >= az) {
        return {corner.y, corner.z};
    }
    if (ay >= az) {
        return {corner.x, corner.z};
    }
    return {corner.x, corner.y};
}

// Which side of the line a-b the point c lies on: +1, -1, or 0 on it.
int orientation(const Point2& a, const Point2& b, const Point2& c) {
    const double turn = (b.u - a.u) * (c.v - a.v) - (b.v - a.v) * (c.u - a.u);
    return turn > 0.0 ? 1 : (turn < 0.0 ? -1 : 0);
}

// Whether the two sides cross at a point inside both; touching and overlapping do not count.
bool crossProperly(const Point2& a, const Point2& b, const Point2& c, const Point2& d) {
    const int abc = orientation(a, b, c);
    const int abd = orientation(a, b, d);
    const int cda = orientation(c, d, a);
    const int cdb = orientation(c, d, b);
    return abc * abd < 0 && cda * cdb < 0;
}

} // namespace

std::optional<CornerOffset> farthestFromFirstPlane(const std::vector<Vertex>& corners) {
    if (corners.size() < 4) {
        return std::nullopt;
    }
    const Vector3 normal = cross(between(corners[0], corners[1]), between(corners[0], corners[2]));
    const double size = length(normal);
    if (size == 0.0) {
        return std::nullopt;
    }
    CornerOffset farthest;
    for (std::size_t k = 3; k < corners.size(); ++k) {
        const double distance = std::fabs(dot(normal, between(corners[0], corners[k]))) / size;
        if (distance > farthest.distance) {
            farthest = {k, distance};
        }
    }
    return farthest;
}

double doubleArea(const std::vector<Vertex>& corners) {
    return length(newellNormal(corners));
}

std::optional<std::pair<std::size_t, std::size_t>> crossingSides(const std::vector<Vertex>& corners) {
    const std::size_t n = corners.size();
    if (n < 4 || n > kMostCrossingCorners) {
        return std::nullopt;
    }
    // A twisted quad's Newell normal can cancel out; its first corners still show its plane.
    Vector3 normal = newellNormal(corners);
    if (length(normal) == 0.0) {
        normal = cross(between(corners[0], corners[1]), between(corners[0], corners[2]));
    }
    std::vector<Point2> flat;
    flat.reserve(n);
    for (const Vertex& corner : corners) {
        flat.push_back(projected(corner, normal));
    }
    for (std::size_t i = 0; i < n; ++i) {
        // Side i's neighbours are i - 1 and i + 1; the last side neighbours the first.
        for (std::size_t j = i + 2; j < n && !(i == 0 && j == n - 1); ++j) {
            if (crossProperly(flat[i], flat[(i + 1) % n], flat[j], flat[(j + 1) % n])) {
                return std::pair{i, j};
            }
        }
    }
    return std::nullopt;
}

} // namespace velmora
