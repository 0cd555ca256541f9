#pragma once

#include <array>
#include <cstddef>

namespace velmora {

// A corner of a polygon on the frame, in pixels.
struct FramePoint {
    double x = 0.0;
    double y = 0.0;
};

// A convex polygon on the frame with room for a triangle cut by the four sides of the guard
// band, held by value so that drawing a frame allocates nothing.
struct FramePolygon {
    static constexpr std::size_t kCapacity = 8;

    std::array<FramePoint, kCapacity> corners{};
    std::size_t size = 0;

    // Appends a corner; a corner past the capacity is dropped (a convex polygon never needs one).
    void add(const FramePoint& corner) {
        if (size < kCapacity) {
            corners[size++] = corner;
        }
    }
};

// How far outside the frame a corner may lie before it is moved: coverage is worked out in
// 1/256 pixel steps in 64-bit integers, which hold products of coordinates this far out.
inline constexpr double kGuardBand = 1'000'000.0;

// Whether every corner lies within the guard band around the frame.
bool insideGuardBand(const FramePolygon& polygon);

// The part of the convex polygon inside the guard band (Sutherland-Hodgman against its four
// sides). Inside the frame it covers exactly what the polygon covers; far outside it loses what
// no pixel would show anyway.
FramePolygon clipToGuardBand(const FramePolygon& polygon);

} // namespace velmora
