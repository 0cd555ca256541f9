#pragma once

#include <vector>

namespace velmora {

// A corner of a polygon on the frame, in pixels.
struct FramePoint {
    double x = 0.0;
    double y = 0.0;
};

// How far outside the frame a corner may lie before the fill needs it moved: the drawing
// library keeps coordinates in fixed point and wraps past about 8 million pixels.
inline constexpr double kGuardBand = 1'000'000.0;

// Whether every corner lies within the guard band around the frame.
bool insideGuardBand(const std::vector<FramePoint>& polygon);

// The part of the polygon inside the guard band (Sutherland-Hodgman against its four sides).
// Inside the frame it covers exactly what the polygon covers; far outside it loses what no
// pixel would show anyway.
std::vector<FramePoint> clipToGuardBand(const std::vector<FramePoint>& polygon);

} // namespace velmora
