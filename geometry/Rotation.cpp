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

} // namespace velmora
