#include "render/DepthRasterizer.h"

#include "geometry/Truncate.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace velmora {

// Degenerate edges divide by zero; IEEE floats turn that into an infinity or a NaN, which
// truncateToInt clamps or zeroes, so no column or row count can become undefined.
static_assert(std::numeric_limits<float>::is_iec559);

namespace {

constexpr int kLastColumn = kFrameWidth - 1;
constexpr int kLastRow = kFrameHeight - 1;

// Row and column arithmetic runs in 64 bits: truncated coordinates may sit at the int32 limits.
float asFloat(std::int64_t value) {
    return static_cast<float>(value);
}

// A corner made while cutting: placed at (x, y), its depth the plane's at (column, row).
Vertex splitVertex(const DepthPlane& plane, float x, float y, int column, int row) {
    Vertex split;
    split.x = x;
    split.y = y;
    split.z = static_cast<float>(depthAt(plane, column, row));
    return split;
}

// The point of the long edge top–bottom on the middle corner's row, at a whole column. The
// edge's slope is taken from truncated extents, as the cut has always been made.
Vertex splitAtMiddleRow(const DepthPlane& plane, const Vertex& top, const Vertex& middle,
                        const Vertex& bottom) {
    const int dx = truncateToInt(bottom.x - top.x);
    float xs = top.x;
    if (dx != 0) {
        const float m = asFloat(truncateToInt(bottom.y - top.y)) / asFloat(dx);
        xs = (asFloat(truncateToInt(middle.y)) - (top.y - m * top.x)) / m;
    }
    const int column = truncateToInt(xs);
    return splitVertex(plane, asFloat(column), middle.y, column, truncateToInt(middle.y));
}

// The row, truncated, at which the edge from `from` to `to` crosses the column of x; the edge's
// row step per column comes from its truncated extents. A vertical edge gives from's row.
int rowOnEdgeAt(const Vertex& from, const Vertex& to, float x) {
    const int dx = truncateToInt(to.x - from.x);
    const int dy = truncateToInt(to.y - from.y);
    if (dx == 0) {
        return truncateToInt(from.y);
    }
    return truncateToInt(from.y +
                         (asFloat(truncateToInt(x)) - from.x) * (asFloat(dy) / asFloat(dx)));
}

// How many rows a moving edge needs to travel `distance` columns at `slope` columns per row.
std::int64_t rowsToCross(float distance, float slope) {
    return std::abs(std::int64_t{truncateToInt(distance / slope)});
}

bool anyRowIsNaN(const Vertex& p1, const Vertex& p2, const Vertex& p3) {
    return std::isnan(p1.y) || std::isnan(p2.y) || std::isnan(p3.y);
}

} // namespace

DepthPlane depthPlaneOf(const Vertex& p1, const Vertex& p2, const Vertex& p3) {
    const float e1x = p2.x - p1.x, e1y = p2.y - p1.y, e1z = p2.z - p1.z;
    const float e2x = p3.x - p1.x, e2y = p3.y - p1.y, e2z = p3.z - p1.z;
    DepthPlane plane;
    plane.a = e2y * e1z - e2z * e1y;
    plane.b = e2z * e1x - e2x * e1z;
    plane.c = e2x * e1y - e2y * e1x;
    plane.d = -(plane.a * p1.x + plane.b * p1.y + plane.c * p1.z);
    return plane;
}

std::int32_t depthAt(const DepthPlane& plane, int x, int y) {
    const double a = plane.a;
    const double b = plane.b;
    const double c = plane.c;
    const double d = plane.d;
    return truncateToInt((-a * x - d - b * y) / c);
}

void sortByRow(Vertex& p, Vertex& q, Vertex& r) {
    if (q.y < p.y) {
        std::swap(p, q);
    }
    if (r.y < q.y) {
        std::swap(q, r);
    }
    if (q.y < p.y) {
        std::swap(p, q);
    }
}

bool arrangeVerticalEdge(Vertex& p1, Vertex& p2, Vertex& p3) {
    if (p1.x == p2.x) {
        return true;
    }
    if (p1.x == p3.x) {
        std::swap(p2, p3);
        return true;
    }
    if (p2.x == p3.x) {
        std::swap(p1, p3);
        return true;
    }
    return false;
}

DepthRasterizer::DepthRasterizer(DepthBuffer& buffer, std::ostream& messages, std::ostream* trace)
    : buffer_(buffer), messages_(messages), trace_(trace) {}

void DepthRasterizer::rasterizeDepthTriangle(Vertex p1, Vertex p2, Vertex p3) {
    const DepthPlane plane = depthPlaneOf(p1, p2, p3);
    // Collinear corners cover no area, and their depth would divide by zero.
    if (plane.c == 0.0f) {
        return;
    }
    if (p1.y == p2.y || p1.y == p3.y || p2.y == p3.y) {
        rasterizeFlatTriangle(plane, p1, p2, p3);
        return;
    }
    sortByRow(p1, p2, p3);
    const Vertex split = splitAtMiddleRow(plane, p1, p2, p3);
    // The upper piece ends above the middle row, the lower one starts on it.
    rasterizeFlatTriangle(plane, p1, split, p2);
    rasterizeFlatTriangle(plane, split, p2, p3);
}

void DepthRasterizer::rasterizeFlatTriangle(const DepthPlane& plane, Vertex p, Vertex q, Vertex r) {
    Vertex tip, first, second;
    if (q.y == r.y) {
        tip = p, first = q, second = r;
    } else if (r.y == p.y) {
        tip = q, first = p, second = r;
    } else if (p.y == q.y) {
        tip = r, first = p, second = q;
    } else {
        messages_ << "unexpected case in isTriangleTipBetweenXCoords" << std::endl;
        return;
    }
    // On equal columns the end listed later is the left one.
    const bool firstIsLeft = first.x < second.x;
    const Vertex& left = firstIsLeft ? first : second;
    const Vertex& right = firstIsLeft ? second : first;

    if (left.x <= tip.x && tip.x <= right.x) {
        const Vertex m =
            splitVertex(plane, tip.x, left.y, truncateToInt(tip.x), truncateToInt(left.y));
        rasterizeRightTriangle(plane, tip, left, m);
        rasterizeRightTriangle(plane, tip, m, right);
    } else if (tip.x > right.x) {
        // Cut by right's column, where it meets the edge from left to the tip.
        const int row = rowOnEdgeAt(left, tip, right.x);
        const Vertex m = splitVertex(plane, right.x, asFloat(row), truncateToInt(right.x), row);
        rasterizeRightTriangle(plane, tip, right, m);
        rasterizeRightTriangle(plane, left, right, m);
    } else if (tip.x < left.x) {
        // Cut by left's column, where it meets the edge from the tip to right.
        const int row = rowOnEdgeAt(tip, right, left.x);
        const Vertex m = splitVertex(plane, left.x, asFloat(row), truncateToInt(left.x), row);
        rasterizeRightTriangle(plane, tip, left, m);
        rasterizeRightTriangle(plane, left, right, m);
    }
}

void DepthRasterizer::rasterizeRightTriangle(const DepthPlane& plane, Vertex p1, Vertex p2,
                                             Vertex p3) {
    if (trace_ != nullptr) {
        traceRightTriangle(p1, p2, p3);
    }
    if (!arrangeVerticalEdge(p1, p2, p3)) {
        return;
    }
    if (p2.y != p1.y && p3.y != p1.y && p3.y != p2.y) {
        rasterizeVerticalEdgeTriangle(plane, p1, p2, p3);
        return;
    }
    const int row1 = truncateToInt(p1.y);
    const int row2 = truncateToInt(p2.y);
    std::int64_t top = std::min(row1, row2);
    const int bottom = std::max(row1, row2);
    // No rows to fill, and no height to divide by.
    if (top == bottom) {
        return;
    }
    int xFixed = truncateToInt(p1.x);
    float slope = (p3.x - p1.x) / asFloat(bottom - top);
    const int direction = p1.x < p3.x ? 1 : -1;
    int xMoving = xFixed;
    if (truncateToInt(p3.y) == top) {
        // The horizontal edge is on top: the moving edge starts at the third corner and closes
        // in on the vertical edge.
        xMoving = truncateToInt(p3.x);
        slope = -slope;
    }

    // Pieces wholly beside the buffer are dropped; a piece whose edges start together beyond a
    // side enters at the row where its moving edge reaches the buffer.
    if (direction == 1 && xFixed >= kFrameWidth) {
        return;
    }
    if (direction == -1 && xMoving >= kFrameWidth && xFixed == xMoving) {
        if (p3.x >= kFrameWidth) {
            return;
        }
        top =
            std::min<std::int64_t>(top + rowsToCross(asFloat(xFixed - kFrameWidth), slope), bottom);
        xFixed = xMoving = kLastColumn;
    } else if (direction == 1 && xMoving < 0) {
        if (xFixed != xMoving) {
            return;
        }
        top = std::min<std::int64_t>(top + rowsToCross(asFloat(xFixed), slope), bottom);
        xFixed = xMoving = 0;
    } else if (direction == -1 && xFixed < 0) {
        return;
    }

    if (bottom < 0 || top > kFrameHeight) {
        return;
    }
    // Rows above the buffer are stepped over by fillDepthSpans.
    fillDepthSpans(plane, static_cast<int>(top), xFixed, xMoving, bottom, slope, direction);
}

void DepthRasterizer::rasterizeVerticalEdgeTriangle(const DepthPlane& plane, Vertex p1, Vertex p2,
                                                    Vertex p3) {
    // NaN rows cannot be ordered; the cut below would hand such a piece straight back here.
    if (anyRowIsNaN(p1, p2, p3)) {
        return;
    }
    sortByRow(p1, p2, p3);
    const Vertex& top = p1;
    const Vertex& middle = p2;
    const Vertex& bottom = p3;
    // The cut shares the middle row, so the piece sent back has a horizontal edge.
    const Vertex split = splitAtMiddleRow(plane, top, middle, bottom);
    if (split.x == top.x || middle.x == top.x) {
        rasterizeRightTriangle(plane, top, middle, split);
        fillApexPiece(plane, bottom, middle, split);
    } else {
        rasterizeRightTriangle(plane, bottom, middle, split);
        fillApexPiece(plane, top, middle, split);
    }
}

// The piece between the flat edge middle–split and the apex, filled between two moving edges.
void DepthRasterizer::fillApexPiece(const DepthPlane& plane, const Vertex& apex,
                                    const Vertex& middle, const Vertex& split) {
    const int xLow = truncateToInt(std::min(split.x, middle.x));
    const int xHigh = truncateToInt(std::max(split.x, middle.x));
    const int apexX = truncateToInt(apex.x);
    const bool apexAbove = apex.y <= split.y;
    const int first = truncateToInt(apexAbove ? apex.y : split.y);
    const int last = truncateToInt(apexAbove ? split.y : apex.y);
    const int leftStart = apexAbove ? apexX : xLow;
    const int leftEnd = apexAbove ? xLow : apexX;
    const int rightStart = apexAbove ? apexX : xHigh;
    const int rightEnd = apexAbove ? xHigh : apexX;

    const std::int64_t height = std::int64_t{last} - first;
    if (height <= 0 || last < 0 || first > kFrameHeight) {
        return;
    }
    const float slopeLeft = asFloat(std::int64_t{leftEnd} - leftStart) / asFloat(height);
    const float slopeRight = asFloat(std::int64_t{rightEnd} - rightStart) / asFloat(height);
    float xl = asFloat(leftStart);
    float xr = asFloat(rightStart);
    int y = first;
    if (y < 0) {
        xl += asFloat(-std::int64_t{y}) * slopeLeft;
        xr += asFloat(-std::int64_t{y}) * slopeRight;
        y = 0;
    }
    const int end = std::min(last, kFrameHeight);
    for (; y < end; ++y) {
        writeSpan(plane, y, std::max(truncateToInt(xl), 0),
                  std::min(truncateToInt(xr), kFrameWidth));
        xl += slopeLeft;
        xr += slopeRight;
    }
}

void DepthRasterizer::fillDepthSpans(const DepthPlane& plane, int top, int xFixed, int xMoving,
                                     int bottom, float slope, int direction) {
    const bool rightward = direction > 0;
    // The vertical edge beyond the side the piece extends away from: nothing is in the buffer.
    if ((rightward && xFixed > kLastColumn) || (!rightward && xFixed < 0)) {
        return;
    }
    if (top < 0) {
        xMoving = truncateToInt(asFloat(xMoving) + asFloat(-std::int64_t{top}) * slope);
        top = 0;
    }
    float xf = asFloat(xMoving);
    const int end = std::min(bottom, kFrameHeight);
    for (int y = top; y < end; ++y) {
        if (rightward) {
            writeSpan(plane, y, std::max(xFixed, 0), std::min(xMoving, kFrameWidth));
        } else {
            // Leftward spans run from xFixed down to, not including, xMoving.
            const int excluded = std::clamp(xMoving, -1, kLastColumn);
            writeSpan(plane, y, excluded + 1, std::min(xFixed, kLastColumn) + 1);
        }
        xf += slope;
        xMoving = truncateToInt(xf);
    }
}

void DepthRasterizer::writeDepth(const DepthPlane& plane, int x, int y) {
    const std::int32_t z = depthAt(plane, x, y);
    if (x < 0 || x > kLastColumn) {
        messages_ << "x error" << std::endl;
    } else if (y < 0 || y > kLastRow) {
        messages_ << "y error" << std::endl;
    } else {
        buffer_.at(x, y) = static_cast<std::uint16_t>(z);
    }
}

void DepthRasterizer::writeSpan(const DepthPlane& plane, int y, int xBegin, int xEnd) {
    std::uint16_t* entries = buffer_.data();
    for (int x = xBegin; x < xEnd; ++x) {
        // The low 16 bits, by the modular conversion to unsigned.
        entries[DepthBuffer::indexOf(x, y)] = static_cast<std::uint16_t>(depthAt(plane, x, y));
    }
}

void DepthRasterizer::traceRightTriangle(const Vertex& p1, const Vertex& p2, const Vertex& p3) {
    std::ostream& out = *trace_;
    out << "z buffering triangle";
    for (const Vertex* p : {&p1, &p2, &p3}) {
        out << " (" << p->x << ", " << p->y << ", " << p->z << ")";
    }
    // A plain newline: flushing for each of thousands of lines a frame would cost too much.
    out << " \n";
}

} // namespace velmora
