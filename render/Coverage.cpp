#include "render/Coverage.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace velmora {

namespace {

// Positions are worked out in 1/256 pixel; a pixel's centre lies 128 steps into it.
constexpr int kFractionBits = 8;
constexpr std::int64_t kStep = std::int64_t{1} << kFractionBits;
constexpr std::int64_t kHalfStep = kStep / 2;

// Rounds to the nearest 1/256, halves to even: adding 1.5 * 2^52 leaves no fraction bits, so
// the addition itself rounds (exact for the guard band's range, and far cheaper than a call).
std::int64_t toFixed(double pixels) {
    constexpr double kRounder = 6755399441055744.0;
    return static_cast<std::int64_t>((pixels * double(kStep) + kRounder) - kRounder);
}

// The first row or column whose centre lies at or past the fixed position p (an arithmetic
// shift rounds toward minus infinity).
std::int64_t firstCentreFrom(std::int64_t p) {
    return (p + kHalfStep - 1) >> kFractionBits;
}

int clampRow(std::int64_t row) {
    return static_cast<int>(std::clamp<std::int64_t>(row, 0, kFrameHeight));
}

std::int16_t toColumn(std::int64_t x) {
    return static_cast<std::int16_t>(std::clamp<std::int64_t>(firstCentreFrom(x), 0, kFrameWidth));
}

// a / b rounded toward minus infinity, and the remainder in [0, b), for b > 0. A 64-bit integer
// division costs several times a floating one, so the quotient is estimated in double precision
// and then corrected exactly.
struct Quotient {
    std::int64_t quotient;
    std::int64_t remainder;
};

Quotient divideDown(std::int64_t a, std::int64_t b) {
    std::int64_t q = static_cast<std::int64_t>(double(a) / double(b));
    std::int64_t r = a - q * b;
    while (r < 0) {
        --q;
        r += b;
    }
    while (r >= b) {
        ++q;
        r -= b;
    }
    return {q, r};
}

// An edge walked down the centre rows it spans, from its upper end (included) to its lower end
// (excluded): its crossing with each row, 1/256 above the centre and rounded down, stepped as a
// quotient and a remainder so that no row needs a division.
class Edge {
  public:
    Edge() = default;
    // The edge from (x1, y1) to (x2, y2) with y1 < y2; `winding` says which way round it runs.
    Edge(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2, int winding)
        : first_(clampRow(firstCentreFrom(y1))), end_(clampRow(firstCentreFrom(y2))),
          winding_(winding), height_(y2 - y1) {
        const std::int64_t width = x2 - x1;
        const Quotient start = divideDown((first_ * kStep + kHalfStep - 1 - y1) * width, height_);
        x_ = x1 + start.quotient;
        remainder_ = start.remainder;
        const Quotient step = divideDown(width * kStep, height_);
        stepX_ = step.quotient;
        stepRemainder_ = step.remainder;
    }

    int first() const { return first_; }
    int end() const { return end_; }
    int winding() const { return winding_; }
    std::int64_t x() const { return x_; }

    void stepDown() {
        x_ += stepX_;
        remainder_ += stepRemainder_;
        if (remainder_ >= height_) {
            ++x_;
            remainder_ -= height_;
        }
    }

  private:
    int first_ = 0;
    int end_ = 0;
    int winding_ = 0;
    std::int64_t height_ = 1;
    std::int64_t x_ = 0;
    std::int64_t remainder_ = 0;
    std::int64_t stepX_ = 0;
    std::int64_t stepRemainder_ = 0;
};

struct FixedPoint {
    std::int64_t x;
    std::int64_t y;
};

void setRow(Coverage& covered, int y, std::int64_t from, std::int64_t to) {
    covered.begin[y] = toColumn(std::min(from, to));
    covered.end[y] = toColumn(std::max(from, to));
}

// Rows [first, end) between two edges that both span them; `inside` when no crossing can land
// beside the frame's columns, so that none needs holding to them (most triangles: this runs for
// every row of every triangle tested).
template <bool inside> void coverBetween(Edge& a, Edge& b, int first, int end, Coverage& covered) {
    for (int y = first; y < end; ++y) {
        if constexpr (inside) {
            covered.begin[y] = std::int16_t(firstCentreFrom(std::min(a.x(), b.x())));
            covered.end[y] = std::int16_t(firstCentreFrom(std::max(a.x(), b.x())));
        } else {
            setRow(covered, y, a.x(), b.x());
        }
        a.stepDown();
        b.stepDown();
    }
}

void coverBetween(Edge& a, Edge& b, int first, int end, bool inside, Coverage& covered) {
    if (inside) {
        coverBetween<true>(a, b, first, end, covered);
    } else {
        coverBetween<false>(a, b, first, end, covered);
    }
}

// Whether nothing of the triangle can reach a pixel centre of the frame's columns. A crossing
// is taken 1/256 above the centre, so at a corner's own row it may lie beyond the corner by up
// to the edge's width; the test allows for that.
bool besideTheFrame(const FixedPoint (&p)[3]) {
    const std::int64_t left = std::min({p[0].x, p[1].x, p[2].x});
    const std::int64_t right = std::max({p[0].x, p[1].x, p[2].x});
    const std::int64_t reach = right - left + 1;
    return right + reach <= kHalfStep || left - reach > (kFrameWidth - 1) * kStep + kHalfStep;
}

// Whether every crossing of the triangle's edges with a centre row, reaching past the corners
// as besideTheFrame allows, has its first centre on one of columns 0 to kFrameWidth.
bool withinColumns(const FixedPoint (&p)[3]) {
    const std::int64_t left = std::min({p[0].x, p[1].x, p[2].x});
    const std::int64_t right = std::max({p[0].x, p[1].x, p[2].x});
    const std::int64_t reach = right - left + 1;
    return left - reach >= -(kHalfStep - 1) &&
           right + reach < (kFrameWidth + 1) * kStep - (kHalfStep - 1);
}

// A triangle has two crossings a row: its long edge from the top corner to the bottom one,
// and one of the two short edges.
void coverFixedTriangle(FixedPoint (&p)[3], Coverage& covered) {
    if (besideTheFrame(p)) {
        return;
    }
    const bool inside = withinColumns(p);
    auto byRow = [](const FixedPoint& a, const FixedPoint& b) { return a.y < b.y; };
    std::sort(std::begin(p), std::end(p), byRow);
    const FixedPoint& top = p[0];
    const FixedPoint& middle = p[1];
    const FixedPoint& bottom = p[2];
    if (top.y == bottom.y) {
        return;
    }
    Edge along(top.x, top.y, bottom.x, bottom.y, 1);
    if (along.first() >= along.end()) {
        return;
    }
    covered.top = along.first();
    covered.bottom = along.end();
    if (top.y < middle.y) {
        Edge upper(top.x, top.y, middle.x, middle.y, -1);
        coverBetween(along, upper, upper.first(), upper.end(), inside, covered);
    }
    if (middle.y < bottom.y) {
        Edge lower(middle.x, middle.y, bottom.x, bottom.y, -1);
        coverBetween(along, lower, lower.first(), lower.end(), inside, covered);
    }
}

} // namespace

void coverPolygon(const FramePolygon& polygon, Coverage& covered) {
    covered.top = covered.bottom = 0;
    std::array<FixedPoint, FramePolygon::kCapacity> corners;
    for (std::size_t i = 0; i < polygon.size; ++i) {
        corners[i] = {toFixed(polygon.corners[i].x), toFixed(polygon.corners[i].y)};
    }
    if (polygon.size == 3) {
        FixedPoint triangle[3] = {corners[0], corners[1], corners[2]};
        coverFixedTriangle(triangle, covered);
        return;
    }
    // Horizontal edges cross no row; the others are kept with the way they run.
    std::array<Edge, FramePolygon::kCapacity> edges;
    std::size_t edgeCount = 0;
    int top = kFrameHeight, bottom = 0;
    for (std::size_t i = 0; i < polygon.size; ++i) {
        const FixedPoint& a = corners[i];
        const FixedPoint& b = corners[(i + 1) % polygon.size];
        if (a.y == b.y) {
            continue;
        }
        const Edge edge = a.y < b.y ? Edge(a.x, a.y, b.x, b.y, 1) : Edge(b.x, b.y, a.x, a.y, -1);
        if (edge.first() < edge.end()) {
            edges[edgeCount++] = edge;
            top = std::min(top, edge.first());
            bottom = std::max(bottom, edge.end());
        }
    }
    if (top >= bottom) {
        return;
    }
    covered.top = top;
    covered.bottom = bottom;
    for (int y = top; y < bottom; ++y) {
        std::array<std::pair<std::int64_t, int>, FramePolygon::kCapacity> crossings;
        std::size_t count = 0;
        for (std::size_t e = 0; e < edgeCount; ++e) {
            Edge& edge = edges[e];
            if (edge.first() <= y && y < edge.end()) {
                // Kept in order of x as they are found: there are only a few.
                std::size_t k = count++;
                for (; k > 0 && crossings[k - 1].first > edge.x(); --k) {
                    crossings[k] = crossings[k - 1];
                }
                crossings[k] = {edge.x(), edge.winding()};
                edge.stepDown();
            }
        }
        // Nonzero winding. A convex polygon has one covered run a row; rounding to 1/256 can at
        // most split it where two runs touch, so the run from the first covered crossing to
        // the last is kept.
        std::int64_t from = 0, to = 0;
        bool any = false;
        int winding = 0;
        for (std::size_t k = 0; k + 1 < count; ++k) {
            winding += crossings[k].second;
            if (winding != 0) {
                from = any ? from : crossings[k].first;
                to = crossings[k + 1].first;
                any = true;
            }
        }
        setRow(covered, y, from, to);
    }
}

void coverTriangle(const FramePoint& a, const FramePoint& b, const FramePoint& c,
                   Coverage& covered) {
    covered.top = covered.bottom = 0;
    FramePolygon triangle;
    for (const FramePoint* corner : {&a, &b, &c}) {
        if (!std::isfinite(corner->x) || !std::isfinite(corner->y)) {
            return;
        }
        triangle.add(*corner);
    }
    // A corner just beside the eye projects millions of pixels away, past what the arithmetic
    // holds; only the part near the frame is kept.
    coverPolygon(insideGuardBand(triangle) ? triangle : clipToGuardBand(triangle), covered);
}

} // namespace velmora
