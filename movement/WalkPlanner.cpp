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

// One walk from the start: the places reached, each a grid cell at an eye height, and the
// queue of those whose steps are still to be tried.
class Walk {
  public:
    Walk(const std::vector<CollisionEdge>& edges, std::span<const Vertex> figures,
         const Vertex& start, std::span<const WalkZone> zones)
        : figures_(figures), zones_(zones), area_(walkArea(edges, start, zones)),
          nameless_(withoutNames(edges)), cells_(nameless_, area_), seen_(figures.size()),
          visited_{placeOf(start)}, queue_{start} {
        plan_.reached.assign(zones.size(), false);
    }

    WalkPlan run() {
        for (bool first = true; !queue_.empty(); first = false) {
            const Vertex here = queue_.front();
            queue_.pop_front();
            enterZones(here);
            const bool moved = spreadFrom(here);
            plan_.shutIn = plan_.shutIn || (first && !moved);
            if (left_ == 0) {
                break;
            }
            if (visited_.size() > kMostWalkPlaces) {
                plan_.decided = false;
                break;
            }
        }
        return plan_;
    }

  private:
    // Each step copies the edges near it; their names would only slow that down.
    static std::vector<CollisionEdge> withoutNames(std::vector<CollisionEdge> edges) {
        for (CollisionEdge& edge : edges) {
            std::string().swap(edge.name);
        }
        return edges;
    }

    void enterZones(const Vertex& here) {
        for (std::size_t i = 0; i < zones_.size(); ++i) {
            if (!plan_.reached[i] && inside(zones_[i], here)) {
                plan_.reached[i] = true;
                --left_;
            }
        }
    }

    // Queues the places one step away that are new; whether any step was taken at all.
    bool spreadFrom(const Vertex& here) {
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
                if (area_.holds(truncateToInt(next.x), truncateToInt(next.z)) &&
                    visited_.insert(placeOf(next)).second) {
                    queue_.push_back(next);
                }
            }
        }
        return moved;
    }

    // One step by the program's step code, against the edges and the figures near it.
    void step(Vertex& camera, float heading, bool forward) {
        cells_.near(truncateToInt(camera.x), truncateToInt(camera.z), nearby_);
        // Along the axis headings the view turn only swaps and mirrors the figures' offsets,
        // which the figures' square test does not tell apart.
        for (std::size_t i = 0; i < figures_.size(); ++i) {
            seen_[i] = {figures_[i].x - camera.x, figures_[i].y - camera.y,
                        figures_[i].z - camera.z};
        }
        const WalkingScene scene{nearby_, seen_, nullptr};
        forward ? stepForward(camera, heading, scene) : stepBackward(camera, heading, scene);
    }

    std::span<const Vertex> figures_;
    std::span<const WalkZone> zones_;
    GroundBox area_;
    std::vector<CollisionEdge> nameless_;
    EdgeCells cells_;
    std::vector<CollisionEdge> nearby_;
    std::vector<Vertex> seen_; // the figures from the eye
    std::unordered_set<Place, PlaceHash> visited_;
    std::deque<Vertex> queue_;
    std::size_t left_ = zones_.size();
    WalkPlan plan_;
};

} // namespace

WalkPlan planWalks(const std::vector<CollisionEdge>& edges, std::span<const Vertex> figures,
                   const Vertex& start, std::span<const WalkZone> zones) {
    return Walk(edges, figures, start, zones).run();
}

} // namespace velmora
