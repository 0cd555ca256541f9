#pragma once

namespace velmora {

// The camera's lens: focal length half the frame's width on both axes, optical centre in the
// middle of the horizon row, so the view is 90 degrees across. Worked out in double precision,
// kept as floats.
struct ScreenPosition {
    float x = 0.0f;
    float y = 0.0f;
};

// The frame position of a camera-space point in front of the eye (z > 0); y grows downward.
ScreenPosition projectPoint(float x, float y, float z);

} // namespace velmora
