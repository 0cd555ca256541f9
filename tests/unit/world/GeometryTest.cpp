#include "world/Surface.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

Surface triangle() {
    Surface surface;
    surface.addCorner({0, 5, 10, 3, 4});
    surface.addCorner({1, 2, 3, 0, 0});
    surface.addCorner({-4, 0, 2, 7, 8});
    return surface;
}

TEST(Rotation, TurnsAboutTheVerticalAxis) {
    Vertex corner{0, 5, 10, 3, 4};
    applyRotation(rotationAboutY(static_cast<float>(degreesToRadians(90))), corner);
    EXPECT_NEAR(corner.x, 10.0f, 1e-3f);
    EXPECT_EQ(corner.y, 5.0f);
    EXPECT_NEAR(corner.z, 0.0f, 1e-3f);
    EXPECT_EQ(corner.u, 3);
    EXPECT_EQ(corner.v, 4);

    Vertex unchanged{1.5f, 2, -7.25f};
    applyRotation(rotationAboutY(0.0f), unchanged);
    EXPECT_EQ(unchanged, (Vertex{1.5f, 2, -7.25f}));
    EXPECT_DOUBLE_EQ(degreesToRadians(1), 0.017453529976437735);
}

TEST(Surface, WorldOperationsLeaveTheViewAlone) {
    Surface surface = triangle();
    const std::vector<Vertex> view = surface.viewVertices;
    surface.translate({10, 20, 30, 99, 99});
    surface.rotateAboutY(rotationAboutY(1.0f));
    EXPECT_EQ(surface.viewVertices, view);
    EXPECT_EQ(surface.vertices[0].u, 3);
    EXPECT_EQ(surface.vertices[2].v, 8);
    EXPECT_EQ(surface.vertices[1].y, 22.0f);
}

TEST(Surface, ViewOperationsLeaveTheWorldAlone) {
    Surface surface = triangle();
    const std::vector<Vertex> world = surface.vertices;
    surface.setViewFromWorld({-1, -2, -3});
    EXPECT_EQ(surface.viewVertices[1], (Vertex{0, 0, 0}));
    EXPECT_EQ(surface.viewVertices[0].u, 3);
    surface.rotateView(rotationAboutY(static_cast<float>(degreesToRadians(90))));
    EXPECT_NEAR(surface.viewVertices[0].x, 7.0f, 1e-3f);
    EXPECT_EQ(surface.vertices, world);

    std::vector<Vertex> out{{9, 9, 9}};
    surface.appendVerticesTo(out);
    ASSERT_EQ(out.size(), 4u);
    EXPECT_EQ(out[1], world[0]);
}

} // namespace
} // namespace velmora
