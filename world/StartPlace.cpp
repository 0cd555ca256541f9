#include "world/StartPlace.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>

namespace velmora {

namespace {

struct Ray {
    double x, y, z;    // origin
    double dx, dy, dz; // direction
};

// Where along the ray it meets the triangle (the ray's parameter), when it does.
std::optional<double> hitTriangle(const Ray& ray, const Vertex& a, const Vertex& b,
                                  const Vertex& c) {
    const double e1x = b.x - double(a.x), e1y = b.y - double(a.y), e1z = b.z - double(a.z);
    const double e2x = c.x - double(a.x), e2y = c.y - double(a.y), e2z = c.z - double(a.z);
    const double px = ray.dy * e2z - ray.dz * e2y;
    const double py = ray.dz * e2x - ray.dx * e2z;
    const double pz = ray.dx * e2y - ray.dy * e2x;
    const double det = e1x * px + e1y * py + e1z * pz;
    if (det == 0.0) {
        return std::nullopt;
    }
    const double tx = ray.x - a.x, ty = ray.y - a.y, tz = ray.z - a.z;
    const double u = (tx * px + ty * py + tz * pz) / det;
    if (u < 0.0 || u > 1.0) {
        return std::nullopt;
    }
    const double qx = ty * e1z - tz * e1y, qy = tz * e1x - tx * e1z, qz = tx * e1y - ty * e1x;
    const double v = (ray.dx * qx + ray.dy * qy + ray.dz * qz) / det;
    if (v < 0.0 || u + v > 1.0) {
        return std::nullopt;
    }
    const double t = (e2x * qx + e2y * qy + e2z * qz) / det;
    return t > 0.0 ? std::optional<double>(t) : std::nullopt;
}

// Calls hit with each placed triangle (the fan the program draws) the ray meets.
void forEachHit(const std::vector<Object3D>& instances, const Ray& ray,
                const std::function<void(double)>& hit) {
    for (const Object3D& instance : instances) {
        for (const Surface& surface : instance.surfaces) {
            const std::vector<Vertex>& v = surface.vertices;
            for (std::size_t k = 1; k + 1 < v.size(); ++k) {
                if (const std::optional<double> t = hitTriangle(ray, v[0], v[k], v[k + 1])) {
                    hit(*t);
                }
            }
        }
    }
}

} // namespace

bool isEnclosed(const std::vector<Object3D>& instances, const Vertex& point) {
    // Slightly skewed, so that a ray does not run along the shared side of two triangles.
    constexpr double kSkew = 0.000173;
    const std::array<Ray, 5> rays{{{point.x, point.y, point.z, 1.0, kSkew, 2 * kSkew},
                                   {point.x, point.y, point.z, -1.0, kSkew, -3 * kSkew},
                                   {point.x, point.y, point.z, 2 * kSkew, kSkew, 1.0},
                                   {point.x, point.y, point.z, -3 * kSkew, kSkew, -1.0},
                                   {point.x, point.y, point.z, kSkew, 1.0, 2 * kSkew}}};
    return std::all_of(rays.begin(), rays.end(), [&instances](const Ray& ray) {
        int crossings = 0;
        forEachHit(instances, ray, [&crossings](double) { ++crossings; });
        return crossings % 2 == 1;
    });
}

std::optional<double> floorBelow(const std::vector<Object3D>& instances, const Vertex& point) {
    std::optional<double> floor;
    if (point.y >= 0.0f) {
        floor = 0.0;
    }
    const Ray down{point.x, point.y, point.z, 0.0, -1.0, 0.0};
    forEachHit(instances, down, [&floor, &point](double t) {
        floor = std::max(floor.value_or(-HUGE_VAL), double(point.y) - t);
    });
    return floor;
}

} // namespace velmora
