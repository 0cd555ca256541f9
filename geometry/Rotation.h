#pragma once

#include "geometry/Vertex.h"

#include <array>

namespace velmora {

// The world's degree-to-radian factor. It is deliberately not pi/180: every rotated object in the
// world files is placed with this value.
inline constexpr double kDegreesToRadians = 0.017453529976437735;

using RotationMatrix = std::array<std::array<float, 3>, 3>;

double degreesToRadians(double degrees);

// Rotation about the vertical axis: rows (cos a, 0, sin a), (0, 1, 0), (-sin a, 0, cos a).
RotationMatrix rotationAboutY(float radians);

// Applies the first and third rows of m to (x, z); y is kept. Inline: every corner of every
// surface a frame reaches is turned.
inline void applyRotation(const RotationMatrix& m, Vertex& corner) {
    const float x = m[0][0] * corner.x + m[0][1] * corner.y + m[0][2] * corner.z;
    const float z = m[2][0] * corner.x + m[2][1] * corner.y + m[2][2] * corner.z;
    corner.x = x;
    corner.z = z;
}

} // namespace velmora
