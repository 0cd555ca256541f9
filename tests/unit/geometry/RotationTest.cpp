#include "geometry/Rotation.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

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

} // namespace
} // namespace velmora
