#include "render/GuardBand.h"

#include "render/FrameSize.h"

namespace velmora {

namespace {

constexpr double kLeft = -kGuardBand;
constexpr double kTop = -kGuardBand;
constexpr double kRight = kFrameWidth + kGuardBand;
constexpr double kBottom = kFrameHeight + kGuardBand;

// One side of the band: a point is inside when inside(point) holds; cross(a, b) is where the
// segment a-b meets the side.
template <typename Inside, typename Cross>
FramePolygon clipSide(const FramePolygon& polygon, Inside inside, Cross cross) {
    FramePolygon out;
    for (std::size_t i = 0; i < polygon.size; ++i) {
        const FramePoint& a = polygon.corners[i];
        const FramePoint& b = polygon.corners[(i + 1) % polygon.size];
        if (inside(a)) {
            out.add(a);
            if (!inside(b)) {
                out.add(cross(a, b));
            }
        } else if (inside(b)) {
            out.add(cross(a, b));
        }
    }
    return out;
}

FramePoint atX(const FramePoint& a, const FramePoint& b, double x) {
    const double t = (x - a.x) / (b.x - a.x);
    return {x, a.y + t * (b.y - a.y)};
}

FramePoint atY(const FramePoint& a, const FramePoint& b, double y) {
    const double t = (y - a.y) / (b.y - a.y);
    return {a.x + t * (b.x - a.x), y};
}

} // namespace

bool insideGuardBand(const FramePolygon& polygon) {
    for (std::size_t i = 0; i < polygon.size; ++i) {
        const FramePoint& p = polygon.corners[i];
        if (p.x < kLeft || p.x > kRight || p.y < kTop || p.y > kBottom) {
            return false;
        }
    }
    return true;
}

FramePolygon clipToGuardBand(const FramePolygon& polygon) {
    FramePolygon out = polygon;
    out = clipSide(
        out, [](const FramePoint& p) { return p.x >= kLeft; },
        [](const FramePoint& a, const FramePoint& b) { return atX(a, b, kLeft); });
    out = clipSide(
        out, [](const FramePoint& p) { return p.x <= kRight; },
        [](const FramePoint& a, const FramePoint& b) { return atX(a, b, kRight); });
    out = clipSide(
        out, [](const FramePoint& p) { return p.y >= kTop; },
        [](const FramePoint& a, const FramePoint& b) { return atY(a, b, kTop); });
    out = clipSide(
        out, [](const FramePoint& p) { return p.y <= kBottom; },
        [](const FramePoint& a, const FramePoint& b) { return atY(a, b, kBottom); });
    return out;
}

} // namespace velmora
