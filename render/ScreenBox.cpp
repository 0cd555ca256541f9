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

namespace {

// The four corners of a box's plan side by side, so that each step below is a few vector
// operations (the same double arithmetic as one corner at a time): this runs for every box a
// frame tests.
using Lanes = double __attribute__((vector_size(32)));

bool all(const Lanes& a, const Lanes& b, bool (*holds)(double, double)) {
    return holds(a[0], b[0]) && holds(a[1], b[1]) && holds(a[2], b[2]) && holds(a[3], b[3]);
}

bool greater(double a, double b) {
    return a > b;
}

bool notLess(double a, double b) {
    return a >= b;
}

double least(const Lanes& v) {
    return std::min(std::min(v[0], v[1]), std::min(v[2], v[3]));
}

double most(const Lanes& v) {
    return std::max(std::max(v[0], v[1]), std::max(v[2], v[3]));
}

} // namespace

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
    const double minX = double(bounds.minX) + view.offset.x;
    const double maxX = double(bounds.maxX) + view.offset.x;
    const double minZ = double(bounds.minZ) + view.offset.z;
    const double maxZ = double(bounds.maxZ) + view.offset.z;
    const Lanes wx{minX, maxX, minX, maxX};
    const Lanes wz{minZ, minZ, maxZ, maxZ};
    const Lanes x = double(m[0][0]) * wx + double(m[0][2]) * wz;
    const Lanes z = double(m[2][0]) * wx + double(m[2][2]) * wz;
    const Lanes one{1.0, 1.0, 1.0, 1.0};
    const Lanes beyondSide = z > one ? z : one;
    const Lanes sides = kSideSlope * beyondSide + kMargin;
    const Lanes ceiling = kTopSlope * beyondSide + kMargin;
    const double bottom = double(bounds.minY) + view.offset.y;
    const double top = double(bounds.maxY) + view.offset.y;
    const Lanes bottoms = bottom + Lanes{}, tops = top + Lanes{};
    const bool behind = all(-kMargin + Lanes{}, z, greater);
    const bool pastRight = all(x, sides, greater);
    const bool pastLeft = all(-x, sides, greater);
    const bool above = all(bottoms, ceiling, greater);
    const bool below = all(-tops, ceiling, greater);
    if (behind || pastRight || pastLeft || above || below) {
        return {ScreenBox::Sight::Nowhere, {}};
    }
    if (!all(z, kNearestProjected + Lanes{}, notLess)) {
        return {};
    }
    // Two pixels wider on every side for the float corners of the surfaces inside and the
    // rounding of their coverage.
    constexpr double kFocalLength = kFrameWidth / 2.0;
    const Lanes scale = kFocalLength / z;
    const Lanes columns = x * scale + kFocalLength;
    return boxOfExtent(least(columns) - 2, least(kHorizonRow - tops * scale) - 2, most(columns) + 2,
                       most(kHorizonRow - bottoms * scale) + 2);
}

} // namespace velmora
