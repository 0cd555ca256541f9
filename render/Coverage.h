#pragma once

#include "render/FrameSize.h"
#include "render/GuardBand.h"

#include <array>
#include <cstdint>

namespace velmora {

// The pixels of the frame a polygon covers, one run of columns per row: row y covers columns
// begin[y] to end[y] - 1 (none when begin[y] >= end[y]) for the rows top to bottom - 1; no other
// row is covered. Held by value and refilled for every polygon, so that nothing is allocated.
struct Coverage {
    int top = 0;
    int bottom = 0;
    std::array<std::int16_t, kFrameHeight> begin{};
    std::array<std::int16_t, kFrameHeight> end{};

    bool empty() const { return top >= bottom; }
};

// The one coverage rule the colour fill and the depth share, so that what is painted is what
// hides. Corners are rounded to 1/256 pixel (halves to even). A pixel is covered when its centre
// row crosses the polygon and its centre lies at or right of where the left edge crosses that
// row and left of where the right edge does. An edge spans the centre rows from its upper end
// (included) to its lower end (excluded), and its crossing is taken 1/256 pixel above the centre,
// rounded down to 1/256. Two polygons sharing an edge therefore cover each pixel along it exactly
// once, and this is the pixel set the fill has always painted.
//
// Fills `covered` with the pixels the convex polygon covers inside the frame, its corners in
// order either way round and within the guard band.
void coverPolygon(const FramePolygon& polygon, Coverage& covered);

// The pixels a triangle on the frame covers: corners beyond the guard band are cut off first,
// and a corner that is not a finite position covers nothing.
void coverTriangle(const FramePoint& a, const FramePoint& b, const FramePoint& c,
                   Coverage& covered);

} // namespace velmora
