#include "movement/WalkPlanner.h"

#include "geometry/Truncate.h"
#include "movement/EdgeCells.h"
#include "movement/Walking.h"

#include <cmath>
#include <cstdint>
#include <deque>
#include <string>
#include <unordered_set>

namespace velmora {

namespace {

// The walk looks this far from the start at the most and leaves this much room around what it
// keeps to.
constexpr std::int64_t kFarthest = 50'000;
constexpr std::int64_t kRoomAround = 200;
constexpr std::int64_t kGridStep = 10;

struct Place {
    std::int64_t column;
    std::int64_t row;
    int eye;
    bool operator==(const Place&) const = default;
};

struct PlaceHash {
    std::size_t operator()(const Place& p) const {
        return std::hash<std::int64_t>{}(p.column * 73'856'093 ^ p.row * 19'349'663 ^
                                         std::int64_t{p.eye} * 83'492'791);
    }
};

Place placeOf(const Vertex& camera) {
    return {std::int64_t(std::floor(camera.x / double(kGridStep))),
            std::int64_t(std::floor(camera.z / double(kGridStep))), truncateToInt(camera.y)};
}

bool inside(const WalkZone& zone, const Vertex& camera) {
    const int dx = truncateToInt(std::fabs(double(camera.x) - double(zone.x)));
    const int dz = truncateToInt(std::fabs(double(camera.z) - double(zone.z)));
    return dx < zone.radius && dz < zone.radius;
}

// What the walk keeps to: the start, the zones and the edges near enough, with room around.
GroundBox walkArea(const std::vector<CollisionEdge>& edges, const Vertex& start,
                   std::span<const WalkZone> zones) {
    const auto x = std::int64_t(start.x);
    const auto z = std::int64_t(start.z);
    const GroundBox farthest = GroundBox{x, z, x, z}.grown(kFarthest);
    GroundBox area{x, z, x, z};
    auto includeNear = [&](const GroundBox& box) {
        if (box.maxX >= farthest.minX && box.minX <= farthest.maxX &&
            box.maxZ >= farthest.minZ && box.minZ <= farthest.maxZ) {
            area.include(box);
        }
    };
    for (const WalkZone& zone : zones) {
        const auto zx = std::int64_t(zone.x);
        const auto zz = std::int64_t(zone.z);
        includeNear(GroundBox{zx, zz, zx, zz}.grown(zone.radius));
    }
    for (const CollisionEdge& edge : edges) {
        includeNear(reachOf(edge));
    }
    area = area.grown(kRoomAround);
    return {std::max(area.minX, farthest.minX), std::max(area.minZ, farthest.minZ),
            std::min(area.maxX, farthest.maxX), std::min(area.maxZ, farthest.maxZ)};
}

} // namespace

WalkPlan planWalks(const std::vector<CollisionEdge>& edges, std::span<const Vertex> figures,
                   const Vertex& start, std::span<const WalkZone> zones) {
    WalkPlan plan;
    plan.reached.assign(zones.size(), false);
    std::size_t left = zones.size();
    const GroundBox area = walkArea(edges, start, zones);
    // Each step copies the edges near it; their names only slow that down.
    std::vector<CollisionEdge> nameless = edges;
    for (CollisionEdge& edge : nameless) {
        std::string().swap(edge.name);
    }
    EdgeCells cells(nameless, area);
    std::vector<CollisionEdge> nearby;
    std::vector<Vertex> figuresSeen(figures.size());
    // One step by the program's step code, against the edges and figures near it.
    auto step = [&](Vertex& camera, float heading, bool forward) {
        cells.near(truncateToInt(camera.x), truncateToInt(camera.z), nearby);
        // Along the axis headings the view turn only swaps and mirrors the figures' offsets,
        // which the figures' square test does not tell apart.
        for (std::size_t i = 0; i < figures.size(); ++i) {
            figuresSeen[i] = {figures[i].x - camera.x, figures[i].y - camera.y,
                              figures[i].z - camera.z};
        }
        const WalkingScene scene{nearby, figuresSeen, nullptr};
        forward ? stepForward(camera, heading, scene) : stepBackward(camera, heading, scene);
    };
    std::unordered_set<Place, PlaceHash> visited{placeOf(start)};
    std::deque<Vertex> queue{start};
    bool first = true;
    while (!queue.empty()) {
        const Vertex here = queue.front();
        queue.pop_front();
        for (std::size_t i = 0; i < zones.size(); ++i) {
            if (!plan.reached[i] && inside(zones[i], here)) {
                plan.reached[i] = true;
                --left;
            }
        }
        bool moved = false;
        for (const float heading : {0.0f, 90.0f, 180.0f, 270.0f}) {
            for (const bool forward : {true, false}) {
                Vertex next = here;
                // A step of 9 units (the world's degree factor) can stay in its grid cell;
                // the next one leaves it.
                for (int steps = 0; steps < 2 && placeOf(next) == placeOf(here); ++steps) {
                    step(next, heading, forward);
                }
                if (next.x == here.x && next.z == here.z) {
                    continue;
                }
                moved = true;
                if (area.holds(truncateToInt(next.x), truncateToInt(next.z)) &&
                    visited.insert(placeOf(next)).second) {
                    queue.push_back(next);
                }
            }
        }
        if (first) {
            plan.shutIn = !moved;
            first = false;
        }
        if (left == 0) {
            break;
        }
        if (visited.size() > kMostWalkPlaces) {
            plan.decided = false;
            break;
        }
    }
    return plan;
}

} // namespace velmora
