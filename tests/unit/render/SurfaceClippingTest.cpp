#include "render/SurfaceClipping.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace velmora {
namespace {

Surface triangleSeen(const std::vector<Vertex>& corners) {
    Surface surface;
    surface.name = "wall";
    surface.viewVertices = corners;
    surface.vertices = {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}};
    return surface;
}

struct ClipCase {
    const char* name;
    std::vector<Vertex> corners;
    bool secondToDraw;
    std::vector<Vertex> clipped;
    std::vector<Vertex> second; // the untouched copy when empty
};

TEST(ClipSurfaceAtEye, MovesCornersBehindTheEyeOntoTheCutAtDepthOne) {
    const std::vector<ClipCase> cases = {
        // t = 10 / 20 towards (10, 0, -10); t = 10 / 40 towards (-10, 6, -30). Texture
        // coordinates stay.
        {"one in front",
         {{0, 0, 10, 1, 2}, {10, 0, -10, 3, 4}, {-10, 6, -30, 5, 6}},
         false,
         {{0, 0, 10, 1, 2}, {5, 0, 1, 3, 4}, {-2.5f, 1.5f, 1, 5, 6}},
         {}},
        // A corner at z = 0 is behind; its own crossing (t = 1) is itself.
        {"one in front, one on the eye plane",
         {{4, 2, 0}, {0, 0, 10}, {-10, 0, -10}},
         false,
         {{4, 2, 1}, {0, 0, 10}, {-5, 0, 1}},
         {}},
        // Directions from B (0,0,-10): (-10, 0, -20) and (10, 0, -20), t = -0.5 for both.
        {"two in front",
         {{0, 0, -10}, {10, 0, 10}, {-10, 0, 10}},
         true,
         {{5, 0, 1}, {10, 0, 10}, {-10, 0, 10}},
         {{5, 0, 1}, {-5, 0, 1}, {-10, 0, 10}}},
        {"two in front, behind in the middle",
         {{10, 0, 10, 7, 7}, {0, 0, -10, 8, 8}, {-10, 0, 10, 9, 9}},
         true,
         {{10, 0, 10, 7, 7}, {5, 0, 1, 8, 8}, {-10, 0, 10, 9, 9}},
         {{-5, 0, 1, 7, 7}, {5, 0, 1, 8, 8}, {-10, 0, 10, 9, 9}}},
        // Towards F1 the depth difference -0.8 truncates to dz = 0: the crossing is B itself.
        // Towards F2 the direction is (0, -10, -5), t = -0.1.
        {"two in front, truncated dz of 0",
         {{0, 0, -0.5f}, {10, 0, 0.3f}, {0, 10, 5}},
         true,
         {{0, 0, 1}, {10, 0, 0.3f}, {0, 10, 5}},
         {{0, 0, 1}, {0, 1, 1}, {0, 10, 5}}},
        // Direction (trunc(-2.9), 0, trunc(-3.5)) = (-2, 0, -3): t = -1/3 gives x = 2/3, where
        // the exact edge would cross at 2.9 / 3.5.
        {"two in front, truncated direction",
         {{0, 0, -1}, {2.9f, 0, 2.5f}, {0, 0, 4}},
         true,
         {{-1.0f / 3 * -2, 0, 1}, {2.9f, 0, 2.5f}, {0, 0, 4}},
         {{-1.0f / 3 * -2, 0, 1}, {0, 0, 1}, {0, 0, 4}}},
    };
    for (const ClipCase& c : cases) {
        Surface surface = triangleSeen(c.corners);
        Surface second = surface;
        const Surface original = surface;
        std::ostringstream messages;
        EXPECT_EQ(clipSurfaceAtEye(surface, second, messages), c.secondToDraw) << c.name;
        EXPECT_EQ(surface.viewVertices, c.clipped) << c.name;
        EXPECT_EQ(second.viewVertices, c.second.empty() ? original.viewVertices : c.second)
            << c.name;
        EXPECT_EQ(surface.vertices, original.vertices) << c.name;
        EXPECT_EQ(second.name, "wall");
        EXPECT_EQ(messages.str(), "") << c.name;
    }
}

TEST(ClipSurfaceAtEye, ReportsTrianglesWithNoneOrAllCornersInFront) {
    const std::vector<std::vector<Vertex>> cornerSets = {
        {{0, 0, 1}, {1, 0, 2}, {0, 1, 3}},
        {{0, 0, 0}, {1, 0, -2}, {0, 1, -3}},
        {{0, 0, 1}, {1, 0, 2}, {0, 1, 3}, {5, 5, -5}}, // a fourth corner is not looked at
    };
    for (const auto& corners : cornerSets) {
        Surface surface = triangleSeen(corners);
        Surface second = surface;
        std::ostringstream messages;
        EXPECT_TRUE(clipSurfaceAtEye(surface, second, messages));
        EXPECT_EQ(messages.str(), "not sure what the hell happened\n");
        EXPECT_EQ(surface.viewVertices, corners);
        EXPECT_EQ(second.viewVertices, corners);
    }
}

} // namespace
} // namespace velmora
