#pragma once

namespace velmora {

struct ScreenPoint {
    int x = 0;
    int y = 0;
    bool operator==(const ScreenPoint&) const = default;
};

// Where the frame's top-left pixel sits in a window covering a screen of that size: centred
// across, and so that a screen as tall as the window picture holds the frame with the bottom
// panel below it. Negative on screens narrower than the frame or lower than the picture; the
// window then clips the frame.
ScreenPoint frameOriginFor(int screenWidth, int screenHeight);

// Where the bottom panel goes: centred across, 20 rows below the frame.
ScreenPoint bottomPanelOriginFor(int screenWidth, ScreenPoint frameOrigin);

} // namespace velmora
