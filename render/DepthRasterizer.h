#pragma once

#include "geometry/Vertex.h"
#include "render/DepthBuffer.h"

#include <cstdint>
#include <iostream>
#include <ostream>

namespace velmora {

// The plane a·x + b·y + c·z + d = 0 through a projected triangle, x and y being the screen
// column and row and z the camera-space depth.
struct DepthPlane {
    float a = 0.0f;
    float b = 0.0f;
    float c = 0.0f;
    float d = 0.0f;
};

// The depth plane through three projected corners, normal (p3 − p1) × (p2 − p1). Collinear
// corners give c = 0.
DepthPlane depthPlaneOf(const Vertex& p1, const Vertex& p2, const Vertex& p3);

// The depth of the plane at pixel (x, y): (−a·x − d − b·y) / c in double precision, truncated
// toward zero. The buffer keeps the low 16 bits of it.
std::int32_t depthAt(const DepthPlane& plane, int x, int y);

// Orders three corners by row, top first, with at most three swaps; corners on equal rows keep
// their order.
void sortByRow(Vertex& p, Vertex& q, Vertex& r);

// Reorders the corners so that p1–p2 is a vertical edge (equal x) and p3 is the third corner;
// false, with the corners untouched, when no two of them share a column.
bool arrangeVerticalEdge(Vertex& p1, Vertex& p2, Vertex& p3);

// Writes the depth of projected triangles into a depth buffer, unconditionally, since surfaces
// arrive back to front. A triangle is cut into pieces with one vertical and one horizontal edge,
// each filled row by row. Anomalies are reported on `messages`; when `trace` is set, every piece
// is described on it before it is drawn.
class DepthRasterizer {
  public:
    explicit DepthRasterizer(DepthBuffer& buffer, std::ostream& messages = std::cout,
                             std::ostream* trace = nullptr);

    // Writes the depth of the triangle (x, y screen position, z depth) wherever it covers the
    // buffer. A triangle whose corners are collinear writes nothing.
    void rasterizeDepthTriangle(Vertex p1, Vertex p2, Vertex p3);

    // A triangle with two corners on one row: cut at a column into two right-angled pieces.
    // Reports an unexpected case, and draws nothing, when no two rows are equal.
    void rasterizeFlatTriangle(const DepthPlane& plane, Vertex p, Vertex q, Vertex r);

    // A piece with two corners on one column. With a horizontal edge as well it is filled row by
    // row from its top row up to, not including, its bottom row; otherwise it is cut once more.
    // A piece without a vertical edge is skipped.
    void rasterizeRightTriangle(const DepthPlane& plane, Vertex p1, Vertex p2, Vertex p3);

    // A piece with a vertical edge and three different rows: cut at the middle row; the part
    // holding the vertical edge goes back to rasterizeRightTriangle, the other is filled here.
    void rasterizeVerticalEdgeTriangle(const DepthPlane& plane, Vertex p1, Vertex p2, Vertex p3);

    // Fills the rows top..bottom-1 that lie in the buffer, each from the fixed column (included)
    // to the moving column (excluded) in the given direction (+1 right, −1 left); the moving
    // column follows `slope` per row. Spans are clipped to the buffer. A top above row 0 is
    // entered at row 0 with the moving column advanced in one step.
    void fillDepthSpans(const DepthPlane& plane, int top, int xFixed, int xMoving, int bottom,
                        float slope, int direction);

    // Writes the depth at (x, y), or reports "x error" / "y error" for a pixel off the buffer.
    void writeDepth(const DepthPlane& plane, int x, int y);

  private:
    void traceRightTriangle(const Vertex& p1, const Vertex& p2, const Vertex& p3);
    void fillApexPiece(const DepthPlane& plane, const Vertex& apex, const Vertex& middle,
                       const Vertex& split);
    // Columns [xBegin, xEnd) of row y; the caller has clipped them to the buffer.
    void writeSpan(const DepthPlane& plane, int y, int xBegin, int xEnd);

    DepthBuffer& buffer_;
    std::ostream& messages_;
    std::ostream* trace_;
};

} // namespace velmora
