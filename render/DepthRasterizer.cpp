#include "render/DepthRasterizer.h"

#include "geometry/Truncate.h"

#include <cmath>

namespace velmora {

namespace {

// One line a triangle: its three corners as frame column, row and depth.
void traceTriangle(std::ostream& out, const Vertex& p1, const Vertex& p2, const Vertex& p3) {
    out << "z buffering triangle";
    for (const Vertex* p : {&p1, &p2, &p3}) {
        out << " (" << p->x << ", " << p->y << ", " << p->z << ")";
    }
    // A plain newline: flushing for each of thousands of lines a frame would cost too much.
    out << '\n';
}

// n / c truncated toward zero, as truncateToInt(n / c) gives it, without dividing in the common
// case: the product with the reciprocal lies within 2^-21 of the quotient while it is under 2^30,
// so unless it is that close to a whole number both truncate alike.
std::int32_t truncatedQuotient(double n, double c, double reciprocal) {
    constexpr double kLimit = 1073741824.0;
    constexpr double kMargin = 1.0 / 1048576.0;
    const double q = n * reciprocal;
    if (q > -kLimit && q < kLimit) {
        const auto whole = static_cast<std::int32_t>(q);
        const double fraction = std::abs(q - whole);
        if (fraction > kMargin && fraction < 1.0 - kMargin) {
            return whole;
        }
    }
    return truncateToInt(n / c);
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

DepthRasterizer::DepthRasterizer(DepthBuffer& buffer, std::ostream* trace)
    : buffer_(buffer), trace_(trace) {}

void DepthRasterizer::rasterizeDepthTriangle(const Vertex& p1, const Vertex& p2, const Vertex& p3) {
    coverTriangle({p1.x, p1.y}, {p2.x, p2.y}, {p3.x, p3.y}, scratch_);
    rasterizeDepthTriangle(p1, p2, p3, scratch_);
}

void DepthRasterizer::rasterizeDepthTriangle(const Vertex& p1, const Vertex& p2, const Vertex& p3,
                                             const Coverage& covered, OcclusionMask* unwritten) {
    if (trace_ != nullptr) {
        traceTriangle(*trace_, p1, p2, p3);
    }
    const DepthPlane plane = depthPlaneOf(p1, p2, p3);
    // Collinear corners cover no area, and their depth would divide by zero.
    if (plane.c == 0.0f) {
        return;
    }
    const double a = plane.a, b = plane.b, c = plane.c, d = plane.d;
    const double reciprocal = 1.0 / c;
    for (int y = covered.top; y < covered.bottom; ++y) {
        // The terms in depthAt's order, so that every pixel gets exactly its depth.
        const double by = b * y;
        std::uint16_t* line = buffer_.data() + DepthBuffer::indexOf(0, y);
        const auto write = [&](int from, int to) {
            for (int x = from; x < to; ++x) {
                // The low 16 bits, by the modular conversion to unsigned.
                line[x] =
                    static_cast<std::uint16_t>(truncatedQuotient(-a * x - d - by, c, reciprocal));
            }
        };
        if (unwritten != nullptr) {
            unwritten->claim(y, covered.begin[y], covered.end[y], write);
        } else {
            write(covered.begin[y], covered.end[y]);
        }
    }
}

} // namespace velmora
