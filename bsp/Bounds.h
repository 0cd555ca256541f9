#pragma once

#include "geometry/Surface.h"

#include <algorithm>
#include <limits>

namespace velmora {

// An axis-aligned box in world space around a subtree's corners, so that a frame can pass over
// a subtree it cannot see without looking at its surfaces. A box nothing was added to is empty;
// one that was never worked out is unknown and must be taken as seen.
struct Bounds {
    float minX = std::numeric_limits<float>::infinity();
    float minY = std::numeric_limits<float>::infinity();
    float minZ = std::numeric_limits<float>::infinity();
    float maxX = -std::numeric_limits<float>::infinity();
    float maxY = -std::numeric_limits<float>::infinity();
    float maxZ = -std::numeric_limits<float>::infinity();
    bool known = false;

    bool empty() const { return !(minX <= maxX); }

    void add(const Vertex& p) {
        minX = std::min(minX, p.x), maxX = std::max(maxX, p.x);
        minY = std::min(minY, p.y), maxY = std::max(maxY, p.y);
        minZ = std::min(minZ, p.z), maxZ = std::max(maxZ, p.z);
    }
    void add(const Bounds& other) {
        if (!other.empty()) {
            add(Vertex{other.minX, other.minY, other.minZ});
            add(Vertex{other.maxX, other.maxY, other.maxZ});
        }
    }
};

} // namespace velmora
