#pragma once

#include "bsp/Bounds.h"
#include "render/ViewTransform.h"

namespace velmora {

// Columns left to right - 1 and rows top to bottom - 1 of the frame.
struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    bool empty() const { return left >= right || top >= bottom; }
};

// Where something may paint on the frame: nowhere, somewhere inside `rect` (every pixel it
// covers lies there), or anywhere, when it reaches behind the eye and its picture cannot be
// bounded that simply.
struct ScreenBox {
    enum class Sight { Nowhere, Inside, Anywhere };
    Sight sight = Sight::Anywhere;
    PixelRect rect;
};

// Of what paints only pixels whose centres lie between the columns left and right and the
// rows top and bottom (frame positions).
ScreenBox boxOfExtent(double left, double top, double right, double bottom);

// Of a subtree's box, in a view turned about the vertical axis. Nowhere when the box lies wholly behind the eye or beyond one side of the
// view, with room for the corners the eye-plane cut moves to depth 1 and for rounding.
ScreenBox screenBoxOf(const Bounds& bounds, const ViewTransform& view);

} // namespace velmora
