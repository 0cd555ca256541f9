#include "render/Projection.h"

#include "render/FrameSize.h"

namespace velmora {

namespace {

// The eye is half the frame's width from the picture, so the view is 90 degrees across.
constexpr double kFocalLength = kFrameWidth / 2.0;
constexpr double kCentreX = kFrameWidth / 2.0;
constexpr double kCentreY = kHorizonRow;

} // namespace

ScreenPosition projectPoint(float x, float y, float z) {
    const double depth = z;
    return {static_cast<float>(double(x) * kFocalLength / depth + kCentreX),
            static_cast<float>(kCentreY - double(y) * kFocalLength / depth)};
}

} // namespace velmora
