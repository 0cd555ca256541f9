#include "render/ScreenBox.h"

#include "render/FrameSize.h"
#include "render/Projection.h"

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

bool allBeyond(const std::array<Vertex, 8>& corners, double sx, double sy, double slope) {
    for (const Vertex& c : corners) {
        const double across = sx * c.x + sy * c.y;
        if (!(across > slope * std::max<double>(c.z, 1.0) + kMargin)) {
            return false;
        }
    }
    return true;
}

// The rect of frame pixels around projected points, a pixel wider on every side for the
// rounding of the corners; empty when it misses the frame.
struct Extent {
    double left = INFINITY, top = INFINITY, right = -INFINITY, bottom = -INFINITY;

    void add(const ScreenPosition& p) {
        left = std::min<double>(left, p.x), right = std::max<double>(right, p.x);
        top = std::min<double>(top, p.y), bottom = std::max<double>(bottom, p.y);
    }
    ScreenBox box() const {
        if (!(left <= right && top <= bottom)) {
            return {ScreenBox::Sight::Nowhere, {}};
        }
        const auto clampTo = [](double v, int high) {
            return int(std::clamp(v, 0.0, double(high)));
        };
        const PixelRect rect{clampTo(std::floor(left) - 1, kFrameWidth),
                             clampTo(std::floor(top) - 1, kFrameHeight),
                             clampTo(std::ceil(right) + 2, kFrameWidth),
                             clampTo(std::ceil(bottom) + 2, kFrameHeight)};
        return {rect.empty() ? ScreenBox::Sight::Nowhere : ScreenBox::Sight::Inside, rect};
    }
};

} // namespace

ScreenBox screenBoxOf(const Bounds& bounds, const ViewTransform& view) {
    if (!bounds.known) {
        return {};
    }
    if (bounds.empty()) {
        return {ScreenBox::Sight::Nowhere, {}};
    }
    std::array<Vertex, 8> corners;
    for (int k = 0; k < 8; ++k) {
        corners[std::size_t(k)] =
            view.toView({k & 1 ? bounds.maxX : bounds.minX, k & 2 ? bounds.maxY : bounds.minY,
                         k & 4 ? bounds.maxZ : bounds.minZ});
    }
    bool behind = true, near = false;
    for (const Vertex& c : corners) {
        behind = behind && c.z < -kMargin;
        near = near || !(c.z >= kNearestProjected);
    }
    if (behind || allBeyond(corners, 1, 0, kSideSlope) || allBeyond(corners, -1, 0, kSideSlope) ||
        allBeyond(corners, 0, 1, kTopSlope) || allBeyond(corners, 0, -1, kTopSlope)) {
        return {ScreenBox::Sight::Nowhere, {}};
    }
    if (near) {
        return {};
    }
    Extent extent;
    for (const Vertex& c : corners) {
        extent.add(projectPoint(c.x, c.y, c.z));
    }
    return extent.box();
}

ScreenBox screenBoxOf(const Surface& surface) {
    Extent extent;
    for (std::size_t i = 0; i < 3 && i < surface.viewVertices.size(); ++i) {
        const Vertex& c = surface.viewVertices[i];
        if (!(c.z > 0.0f)) {
            return {};
        }
        extent.add(projectPoint(c.x, c.y, c.z));
    }
    return extent.box();
}

} // namespace velmora
