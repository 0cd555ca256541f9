#pragma once

#include "geometry/Surface.h"

#include <ostream>
#include <string>

namespace velmora {

// Readable failure messages for corner lists.
inline void PrintTo(const Vertex& c, std::ostream* out) {
    *out << "(" << c.x << ", " << c.y << ", " << c.z << " | " << c.u << ", " << c.v << ")";
}

namespace bsptest {

inline Surface triangle(const std::string& name, const Vertex& t0, const Vertex& t1,
                        const Vertex& t2) {
    Surface surface;
    surface.name = name;
    for (const Vertex& c : {t0, t1, t2}) {
        surface.addCorner(c);
    }
    return surface;
}

// A small triangle in the plane x = at, facing along x.
inline Surface facingX(const std::string& name, float at) {
    return triangle(name, {at, 0, 0}, {at, 1, 0}, {at, 0, 1});
}

} // namespace bsptest
} // namespace velmora
