#include "world/CoincidentFaces.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <functional>

namespace velmora {

namespace {

using Corner = std::array<std::int64_t, 3>;

// A coordinate in hundredths of a unit; absurd ones (beyond 10^16 units) are held there.
std::int64_t hundredths(float value) {
    constexpr double kFarthest = 1e18;
    return std::int64_t(std::clamp(std::floor(double(value) * 100.0 + 0.5), -kFarthest, kFarthest));
}

// The corners in hundredths of a unit, sorted: the same for the same corners in any order.
// Written into key, whose room is kept from one surface to the next.
void cornerKey(const Surface& surface, std::vector<Corner>& key) {
    key.clear();
    for (const Vertex& v : surface.vertices) {
        key.push_back({hundredths(v.x), hundredths(v.y), hundredths(v.z)});
    }
    std::sort(key.begin(), key.end());
}

std::uint64_t hashOf(const std::vector<Corner>& key) {
    std::uint64_t hash = 1469598103934665603ull;
    for (const Corner& corner : key) {
        for (const std::int64_t value : corner) {
            hash = (hash ^ std::hash<std::int64_t>{}(value)) * 1099511628211ull;
        }
    }
    return hash;
}

struct Keyed {
    std::uint64_t hash;
    std::size_t order; // place among all placed surfaces
    PlacedSurface placed;
};

const Surface& surfaceOf(const std::vector<Object3D>& instances, const PlacedSurface& placed) {
    return instances[placed.instance].surfaces[placed.surface];
}

} // namespace

std::vector<CoincidentPair> coincidentFaces(const std::vector<Object3D>& instances) {
    // Sorting hashes keeps memory to a few words a surface; only equal hashes are compared.
    std::vector<Keyed> keyed;
    std::vector<Corner> key;
    std::size_t order = 0;
    for (std::size_t i = 0; i < instances.size(); ++i) {
        for (std::size_t s = 0; s < instances[i].surfaces.size(); ++s) {
            const Surface& surface = instances[i].surfaces[s];
            if (surface.vertices.size() >= 3) {
                cornerKey(surface, key);
                keyed.push_back({hashOf(key), order++, {i, s}});
            }
        }
    }
    std::sort(keyed.begin(), keyed.end(), [](const Keyed& a, const Keyed& b) {
        return a.hash != b.hash ? a.hash < b.hash : a.order < b.order;
    });
    std::vector<std::pair<std::size_t, CoincidentPair>> found;
    for (std::size_t begin = 0; begin < keyed.size();) {
        std::size_t end = begin + 1;
        while (end < keyed.size() && keyed[end].hash == keyed[begin].hash) {
            ++end;
        }
        if (end - begin == 1) {
            begin = end; // a surface of its own
            continue;
        }
        // Within a run of equal hashes, each surface is matched with the first surface of its
        // corners; the run's distinct corner sets are few, however many copies share them.
        std::vector<std::pair<std::vector<Corner>, PlacedSurface>> distinct;
        for (std::size_t k = begin; k < end; ++k) {
            cornerKey(surfaceOf(instances, keyed[k].placed), key);
            const auto same = std::find_if(distinct.begin(), distinct.end(),
                                           [&key](const auto& seen) { return seen.first == key; });
            if (same == distinct.end()) {
                distinct.emplace_back(key, keyed[k].placed);
            } else {
                found.push_back({keyed[k].order, {same->second, keyed[k].placed}});
            }
        }
        begin = end;
    }
    std::sort(found.begin(), found.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<CoincidentPair> pairs;
    pairs.reserve(found.size());
    for (const auto& entry : found) {
        pairs.push_back(entry.second);
    }
    return pairs;
}

} // namespace velmora
