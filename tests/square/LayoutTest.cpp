// The shipped square (data/) keeps what its layout promises: the colours it names exist, the
// figures stand clear of walls, the woman stands on the platform 60 high, the recorded walks
// cross no wall, and the built tree stays within its budget.
#include "FakeHost.h"
#include "Walks.h"

#include "bsp/TreeStats.h"
#include "loading/LoadPipeline.h"
#include "world/World.h"
#include "world/WorldReader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <string>
#include <vector>

namespace velmora::square {
namespace {

class SquareLayout : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        World::destroy();
        WorldReader reader("data");
        Vertex camera;
        float heading = 0.0f;
        test::FakeHost host;
        loadWorld(reader, camera, heading, host);
    }
    static void TearDownTestSuite() { World::destroy(); }

    static const World& world() { return World::instance(); }

    // Every surface of the built tree.
    static std::vector<const Surface*> treeSurfaces() {
        std::vector<const Surface*> surfaces;
        std::vector<const BSPNode*> pending{world().bspRoot.get()};
        while (!pending.empty()) {
            const BSPNode* node = pending.back();
            pending.pop_back();
            for (const Surface& surface : node->surfaces) {
                surfaces.push_back(&surface);
            }
            for (const BSPNode* child : {node->farSideChild.get(), node->originSideChild.get()}) {
                if (child != nullptr) {
                    pending.push_back(child);
                }
            }
        }
        return surfaces;
    }
};

bool defined(const World& world, const std::string& name) {
    return std::any_of(world.colors.begin(), world.colors.end(),
                       [&](const ColorDefinition& color) { return color.name == name; });
}

TEST_F(SquareLayout, DefinesThePavingAndEveryColourASurfaceNames) {
    EXPECT_TRUE(defined(world(), "LT_GRAY"));
    EXPECT_TRUE(defined(world(), "LT_GRAY_1"));
    std::set<std::string> names;
    for (const Surface* surface : treeSurfaces()) {
        names.insert(surface->colorName);
    }
    EXPECT_GT(names.size(), 20u); // the buildings are shaded by the way their faces look
    for (const std::string& name : names) {
        EXPECT_TRUE(defined(world(), name)) << name;
    }
}

// Whether the segment a-b meets the axis-aligned square of half side r round c (plan view).
bool segmentMeetsSquare(double ax, double az, double bx, double bz, double cx, double cz,
                        double r) {
    double t0 = 0.0;
    double t1 = 1.0;
    const double d[2] = {bx - ax, bz - az};
    const double p[2] = {ax - cx, az - cz};
    for (int k = 0; k < 2; ++k) {
        if (d[k] == 0.0) {
            if (std::fabs(p[k]) > r) {
                return false;
            }
            continue;
        }
        double lo = (-r - p[k]) / d[k];
        double hi = (r - p[k]) / d[k];
        if (lo > hi) {
            std::swap(lo, hi);
        }
        t0 = std::max(t0, lo);
        t1 = std::min(t1, hi);
    }
    return t0 <= t1;
}

TEST_F(SquareLayout, EveryFigureStandsClearOfWalls) {
    for (const Figure& figure : kFigures) {
        for (const CollisionEdge& edge : world().edges) {
            // Walls too high to stop someone standing where the figure stands do not count.
            if (edge.minY >= figure.y + 110) {
                continue;
            }
            EXPECT_FALSE(
                segmentMeetsSquare(edge.x1, edge.z1, edge.x2, edge.z2, figure.x, figure.z, 19))
                << figure.name << " has " << edge.name << " within 19 units";
        }
    }
}

TEST_F(SquareLayout, TheWomanStandsOnThePlatform60High) {
    const Figure& woman = figureNamed("woman");
    EXPECT_EQ(woman.y, 60.0f);
    bool standsOnFloor = false;
    for (const Surface* surface : treeSurfaces()) {
        const std::vector<Vertex>& v = surface->vertices;
        if (v.size() != 3 || v[0].y != 60.0f || v[1].y != 60.0f || v[2].y != 60.0f) {
            continue;
        }
        // Inside the triangle, seen from above.
        const auto side = [&](const Vertex& a, const Vertex& b) {
            return (b.x - a.x) * (woman.z - a.z) - (b.z - a.z) * (woman.x - a.x);
        };
        const float s0 = side(v[0], v[1]);
        const float s1 = side(v[1], v[2]);
        const float s2 = side(v[2], v[0]);
        if ((s0 >= 0 && s1 >= 0 && s2 >= 0) || (s0 <= 0 && s1 <= 0 && s2 <= 0)) {
            standsOnFloor = true;
        }
    }
    EXPECT_TRUE(standsOnFloor);
}

// Whether the segments p1-p2 and q1-q2 meet (plan view, ends included).
bool segmentsMeet(double p1x, double p1z, double p2x, double p2z, double q1x, double q1z,
                  double q2x, double q2z) {
    const auto cross = [](double ax, double az, double bx, double bz, double cx, double cz) {
        return (bx - ax) * (cz - az) - (bz - az) * (cx - ax);
    };
    const double d1 = cross(q1x, q1z, q2x, q2z, p1x, p1z);
    const double d2 = cross(q1x, q1z, q2x, q2z, p2x, p2z);
    const double d3 = cross(p1x, p1z, p2x, p2z, q1x, q1z);
    const double d4 = cross(p1x, p1z, p2x, p2z, q2x, q2z);
    if (((d1 > 0 && d2 < 0) || (d1 < 0 && d2 > 0)) && ((d3 > 0 && d4 < 0) || (d3 < 0 && d4 > 0))) {
        return true;
    }
    const auto onSegment = [](double ax, double az, double bx, double bz, double cx, double cz) {
        return std::min(ax, bx) <= cx && cx <= std::max(ax, bx) && std::min(az, bz) <= cz &&
               cz <= std::max(az, bz);
    };
    return (d1 == 0 && onSegment(q1x, q1z, q2x, q2z, p1x, p1z)) ||
           (d2 == 0 && onSegment(q1x, q1z, q2x, q2z, p2x, p2z)) ||
           (d3 == 0 && onSegment(p1x, p1z, p2x, p2z, q1x, q1z)) ||
           (d4 == 0 && onSegment(p1x, p1z, p2x, p2z, q2x, q2z));
}

// Whether a step leads across the wall: a step that starts on a wall's line and leaves it is
// moving away from it.
bool crosses(const Pose& from, const Pose& to, const CollisionEdge& edge) {
    if (!segmentsMeet(from.x, from.z, to.x, to.z, edge.x1, edge.z1, edge.x2, edge.z2)) {
        return false;
    }
    const bool startsOnIt =
        segmentsMeet(from.x, from.z, from.x, from.z, edge.x1, edge.z1, edge.x2, edge.z2);
    const bool endsOnIt = segmentsMeet(to.x, to.z, to.x, to.z, edge.x1, edge.z1, edge.x2, edge.z2);
    return !startsOnIt || endsOnIt;
}

class SquareWalks : public SquareLayout, public ::testing::WithParamInterface<Walk> {};

// Along the walk the only walls crossed are ledges of at most 20 stepped up from where the
// feet are (the steps of the platform) or drops stepped down from; the walk enters no other
// figure's zone, passes no figure closer than the 19 units that stop a step, and ends in its
// figure's zone at the figure's height.
TEST_P(SquareWalks, CrossesNoWallAndMeetsNobodyElse) {
    const Walk& walk = GetParam();
    const Figure& target = figureNamed(walk.figure);
    const std::vector<Pose> poses = unblockedPoses(walk.keys);
    int feet = 0;
    for (std::size_t i = 1; i < poses.size(); ++i) {
        const Pose& from = poses[i - 1];
        const Pose& to = poses[i];
        // Every wall is weighed against the feet before the step; the last one that moves
        // them up or down decides where they end.
        int feetAfter = feet;
        for (const CollisionEdge& edge : world().edges) {
            if (edge.minY >= feet + 110 || !crosses(from, to, edge)) {
                continue;
            }
            if (edge.maxY <= feet) {
                feetAfter = edge.minY;
            } else if (edge.minY == feet && edge.height <= 20) {
                feetAfter = edge.maxY;
            } else if (feet + 55 >= edge.minY) {
                ADD_FAILURE() << walk.figure << ": key " << i << " from (" << from.x << ", "
                              << from.z << ") to (" << to.x << ", " << to.z << ") crosses "
                              << edge.name;
            }
        }
        feet = feetAfter;
        for (const Figure& figure : kFigures) {
            if (&figure != &target) {
                EXPECT_FALSE(insideZone(figure, to.x, to.z))
                    << walk.figure << ": key " << i << " enters the zone of " << figure.name;
            }
            // A figure within 19 units along both view axes stops every step; this is the
            // widest that can be, whatever the heading.
            EXPECT_GT(std::hypot(to.x - figure.x, to.z - figure.z), 19 * std::sqrt(2.0))
                << walk.figure << ": key " << i << " passes " << figure.name;
        }
    }
    EXPECT_TRUE(insideZone(target, poses.back().x, poses.back().z)) << walk.figure;
    EXPECT_EQ(feet, static_cast<int>(target.y)) << walk.figure;
}

INSTANTIATE_TEST_SUITE_P(Square, SquareWalks, ::testing::ValuesIn(kWalks),
                         [](const auto& info) { return std::string(info.param.figure); });

TEST_F(SquareLayout, TheTreeStaysWithinItsBudget) {
    EXPECT_LE(measureTree(*world().bspRoot).surfaces, 6000u);
}

} // namespace
} // namespace velmora::square
