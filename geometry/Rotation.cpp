#include "geometry/Rotation.h"

#include <cmath>

namespace velmora {

double degreesToRadians(double degrees) {
    return degrees * kDegreesToRadians;
}

RotationMatrix rotationAboutY(float radians) {
    const float c = std::cos(radians);
    const float s = std::sin(radians);
    return RotationMatrix{{{c, 0.0f, s}, {0.0f, 1.0f, 0.0f}, {-s, 0.0f, c}}};
}

void applyRotation(const RotationMatrix& m, Vertex& corner) {
    const float x = m[0][0] * corner.x + m[0][1] * corner.y + m[0][2] * corner.z;
    const float z = m[2][0] * corner.x + m[2][1] * corner.y + m[2][2] * corner.z;
    corner.x = x;
    corner.z = z;
}

} // namespace velmora
