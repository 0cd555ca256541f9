#pragma once

#include "geometry/CollisionEdge.h"
#include "geometry/Vertex.h"

#include <cstddef>
#include <span>
#include <vector>

namespace velmora {

// A square zone on the ground around (x, z): the visitor is inside while his distance from it
// along x and along z, each cut to whole units, is under the radius (a figure's trigger zone).
struct WalkZone {
    float x = 0.0f;
    float z = 0.0f;
    int radius = 0;
};

inline constexpr std::size_t kMostWalkPlaces = 1'000'000;

struct WalkPlan {
    // False when the walk gave up (after kMostWalkPlaces places) before every zone was reached:
    // the zones not reached may still be reachable.
    bool decided = true;
    // Every step from the start is refused.
    bool shutIn = false;
    std::vector<bool> reached; // one per zone
};

// Which zones the visitor can enter from the start with the walking keys: breadth-first over a
// grid of the keys' 10-unit step, moving forward and backward along the four axis headings, each
// step taken by the program's own step code against the edges and the figures (which refuse a
// step within 19 units). The walk keeps to the edges' area and the zones, with room to go around.
WalkPlan planWalks(const std::vector<CollisionEdge>& edges, std::span<const Vertex> figures,
                   const Vertex& start, std::span<const WalkZone> zones);

} // namespace velmora
