#include "render/ScreenBox.h"

#include "render/FrameSize.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace velmora {

namespace {

// The view's sides: |x| = z and |y| = 0.4 z frame the picture (a focal length of 500 pixels
// on 1000 x 400). A corner the eye-plane cut makes keeps its x and y at depth 1, and the cut
// rounds its direction to whole units, so the sides are also kept this far from the eye.
constexpr double kSideSlope = 1.0;
constexpr double kTopSlope = double(kHorizonRow) / (kFrameWidth / 2.0);
constexpr double kMargin = 4.0;
// A corner nearer than this to the eye plane may be cut, and its picture is not bounded.
constexpr double kNearestProjected = 1.0;

} // namespace

ScreenBox boxOfExtent(double left, double top, double right, double bottom) {
    if (!(left <= right && top <= bottom)) {
        return {ScreenBox::Sight::Nowhere, {}};
    }
    // Pixel x has its centre at x + 0.5: the first centre at or past v, and one past the last
    // centre at or before v, held to [0, high]. Worked out without calls, as this runs for every
    // box and triangle tested.
    const auto firstFrom = [](double v, int high) {
        const double t = v - 0.5;
        if (!(t > 0.0)) {
            return 0;
        }
        if (t >= high) {
            return high;
        }
        const int whole = static_cast<int>(t);
        return whole + (whole < t ? 1 : 0);
    };
    const auto endAt = [](double v, int high) {
        const double t = v - 0.5;
        if (!(t >= 0.0)) {
            return 0;
        }
        return t >= high ? high : static_cast<int>(t) + 1;
    };
    const PixelRect rect{firstFrom(left, kFrameWidth), firstFrom(top, kFrameHeight),
                         endAt(right, kFrameWidth), endAt(bottom, kFrameHeight)};
    return {rect.empty() ? ScreenBox::Sight::Nowhere : ScreenBox::Sight::Inside, rect};
}

ScreenBox screenBoxOf(const Bounds& bounds, const ViewTransform& view) {
    if (!bounds.known) {
        return {};
    }
    if (bounds.empty()) {
        return {ScreenBox::Sight::Nowhere, {}};
    }
    // The turn is about the vertical axis: the four corners of the box's plan turn, and its
    // bottom and top only move.
    const RotationMatrix& m = view.rotation;
    double x[4], z[4], beyondSide[4];
    bool behind = true, near = false, pastRight = true, pastLeft = true;
    for (int k = 0; k < 4; ++k) {
        const double wx = double(k & 1 ? bounds.maxX : bounds.minX) + view.offset.x;
        const double wz = double(k & 2 ? bounds.maxZ : bounds.minZ) + view.offset.z;
        x[k] = m[0][0] * wx + m[0][2] * wz;
        z[k] = m[2][0] * wx + m[2][2] * wz;
        behind = behind && z[k] < -kMargin;
        near = near || !(z[k] >= kNearestProjected);
        beyondSide[k] = std::max(z[k], 1.0);
        pastRight = pastRight && x[k] > kSideSlope * beyondSide[k] + kMargin;
        pastLeft = pastLeft && -x[k] > kSideSlope * beyondSide[k] + kMargin;
    }
    const double bottom = double(bounds.minY) + view.offset.y;
    const double top = double(bounds.maxY) + view.offset.y;
    bool above = true, below = true;
    for (int k = 0; k < 4; ++k) {
        above = above && bottom > kTopSlope * beyondSide[k] + kMargin;
        below = below && -top > kTopSlope * beyondSide[k] + kMargin;
    }
    if (behind || pastRight || pastLeft || above || below) {
        return {ScreenBox::Sight::Nowhere, {}};
    }
    if (near) {
        return {};
    }
    // Two pixels wider on every side for the float corners of the surfaces inside and the
    // rounding of their coverage.
    constexpr double kFocalLength = kFrameWidth / 2.0;
    double left = INFINITY, upper = INFINITY, right = -INFINITY, lower = -INFINITY;
    for (int k = 0; k < 4; ++k) {
        const double scale = kFocalLength / z[k];
        const double column = x[k] * scale + kFocalLength;
        left = std::min(left, column), right = std::max(right, column);
        upper = std::min(upper, kHorizonRow - top * scale);
        lower = std::max(lower, kHorizonRow - bottom * scale);
    }
    return boxOfExtent(left - 2, upper - 2, right + 2, lower + 2);
}

} // namespace velmora
