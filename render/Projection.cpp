#include "render/Projection.h"

namespace velmora {

namespace {

constexpr double kFocalLength = 500.0;
constexpr double kCentreX = 500.0;
constexpr double kCentreY = 200.0;

} // namespace

ScreenPosition projectPoint(float x, float y, float z) {
    const double depth = z;
    return {static_cast<float>(double(x) * kFocalLength / depth + kCentreX),
            static_cast<float>(kCentreY - double(y) * kFocalLength / depth)};
}

} // namespace velmora
