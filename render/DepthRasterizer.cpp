#include "render/DepthRasterizer.h"

#include "geometry/Truncate.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__x86_64__)
#include <immintrin.h>
#endif

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
constexpr double kQuickLimit = 1073741824.0;
constexpr double kQuickMargin = 1.0 / 1048576.0;

std::int32_t truncatedQuotient(double n, double c, double reciprocal) {
    const double q = n * reciprocal;
    if (q > -kQuickLimit && q < kQuickLimit) {
        const auto whole = static_cast<std::int32_t>(q);
        const double fraction = std::abs(q - whole);
        if (fraction > kQuickMargin && fraction < 1.0 - kQuickMargin) {
            return whole;
        }
    }
    return truncateToInt(n / c);
}

#if defined(__x86_64__)
// Whether the processor has AVX2, asked once (at start-up, so the feature table is filled in
// first).
const bool kWide = (__builtin_cpu_init(), __builtin_cpu_supports("avx2") != 0);
#endif

// The depth entries of columns [from, to) of one row of the plane (a, b, c, d), by = b * y:
// truncatedQuotient of -a x - d - by, its low 16 bits.
struct DepthRow {
    double a, c, d, by, reciprocal;

    std::uint16_t at(int x) const {
        // The terms in depthAt's order, so that every pixel gets exactly its depth; the low 16
        // bits by the modular conversion to unsigned.
        return static_cast<std::uint16_t>(truncatedQuotient(-a * x - d - by, c, reciprocal));
    }

    void write(std::uint16_t* line, int from, int to) const {
        int x = from;
#if defined(__x86_64__)
        if (kWide) {
            // The last one to three pixels on the exact path: setting up the pairs for them
            // costs more than it saves.
            for (x = writeFours(line, x, to); x < to; ++x) {
                line[x] = at(x);
            }
            return;
        }
#endif
#if defined(__SSE2__)
        // Two pixels at a time on the quick path; a pair with either pixel near a whole number
        // or out of range takes the exact one.
        const __m128d minusA = _mm_set1_pd(-a), dTerm = _mm_set1_pd(d), rowTerm = _mm_set1_pd(by);
        const __m128d r = _mm_set1_pd(reciprocal), limit = _mm_set1_pd(kQuickLimit);
        const __m128d low = _mm_set1_pd(kQuickMargin), high = _mm_set1_pd(1.0 - kQuickMargin);
        const __m128d noSign = _mm_castsi128_pd(_mm_set1_epi64x(0x7FFFFFFFFFFFFFFF));
        for (; x + 2 <= to; x += 2) {
            const __m128d column = _mm_set_pd(double(x + 1), double(x));
            const __m128d q =
                _mm_mul_pd(_mm_sub_pd(_mm_sub_pd(_mm_mul_pd(minusA, column), dTerm), rowTerm), r);
            const __m128i whole = _mm_cvttpd_epi32(q);
            const __m128d fraction = _mm_and_pd(_mm_sub_pd(q, _mm_cvtepi32_pd(whole)), noSign);
            const __m128d sure =
                _mm_and_pd(_mm_cmplt_pd(_mm_and_pd(q, noSign), limit),
                           _mm_and_pd(_mm_cmpgt_pd(fraction, low), _mm_cmplt_pd(fraction, high)));
            if (_mm_movemask_pd(sure) != 3) {
                line[x] = at(x);
                line[x + 1] = at(x + 1);
                continue;
            }
            // The two low 16-bit halves side by side.
            const std::uint32_t pair =
                std::uint32_t(_mm_cvtsi128_si32(_mm_shufflelo_epi16(whole, 0x08)));
            std::memcpy(line + x, &pair, sizeof pair);
        }
#endif
        for (; x < to; ++x) {
            line[x] = at(x);
        }
    }

#if defined(__x86_64__)
    // The quick path four pixels at a time where the processor has AVX2: the same operations
    // in the same order, so the same depths. Returns the first column not written.
    __attribute__((target("avx2"))) int writeFours(std::uint16_t* line, int x, int to) const {
        const __m256d minusA = _mm256_set1_pd(-a), dTerm = _mm256_set1_pd(d);
        const __m256d rowTerm = _mm256_set1_pd(by), r = _mm256_set1_pd(reciprocal);
        const __m256d limit = _mm256_set1_pd(kQuickLimit), low = _mm256_set1_pd(kQuickMargin);
        const __m256d high = _mm256_set1_pd(1.0 - kQuickMargin);
        const __m256d noSign = _mm256_castsi256_pd(_mm256_set1_epi64x(0x7FFFFFFFFFFFFFFF));
        const __m256d steps = _mm256_set_pd(3.0, 2.0, 1.0, 0.0);
        // The low 16-bit halves of the four 32-bit results, side by side.
        const __m128i lowHalves =
            _mm_setr_epi8(0, 1, 4, 5, 8, 9, 12, 13, -1, -1, -1, -1, -1, -1, -1, -1);
        for (; x + 4 <= to; x += 4) {
            const __m256d column = _mm256_add_pd(_mm256_set1_pd(double(x)), steps);
            const __m256d q = _mm256_mul_pd(
                _mm256_sub_pd(_mm256_sub_pd(_mm256_mul_pd(minusA, column), dTerm), rowTerm), r);
            const __m128i whole = _mm256_cvttpd_epi32(q);
            const __m256d fraction =
                _mm256_and_pd(_mm256_sub_pd(q, _mm256_cvtepi32_pd(whole)), noSign);
            const __m256d sure =
                _mm256_and_pd(_mm256_cmp_pd(_mm256_and_pd(q, noSign), limit, _CMP_LT_OQ),
                              _mm256_and_pd(_mm256_cmp_pd(fraction, low, _CMP_GT_OQ),
                                            _mm256_cmp_pd(fraction, high, _CMP_LT_OQ)));
            if (_mm256_movemask_pd(sure) != 15) {
                for (int k = 0; k < 4; ++k) {
                    line[x + k] = at(x + k);
                }
                continue;
            }
            _mm_storel_epi64(reinterpret_cast<__m128i*>(line + x),
                             _mm_shuffle_epi8(whole, lowHalves));
        }
        return x;
    }
#endif
};

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

bool DepthRasterizer::rasterizeDepthTriangle(const Vertex& p1, const Vertex& p2, const Vertex& p3,
                                             const Coverage& covered, OcclusionMask* unwritten,
                                             const SpanColor* color) {
    if (trace_ != nullptr) {
        traceTriangle(*trace_, p1, p2, p3);
    }
    const DepthPlane plane = depthPlaneOf(p1, p2, p3);
    // Collinear corners cover no area, and their depth would divide by zero.
    if (plane.c == 0.0f) {
        return false;
    }
    const double a = plane.a, b = plane.b, c = plane.c, d = plane.d;
    const double reciprocal = 1.0 / c;
    const std::uint32_t pixel = color != nullptr ? color->rgb & 0x00FFFFFF : 0;
    for (int y = covered.top; y < covered.bottom; ++y) {
        const DepthRow row{a, c, d, b * y, reciprocal};
        std::uint16_t* line = buffer_.data() + DepthBuffer::indexOf(0, y);
        std::uint32_t* colors = color != nullptr ? color->frame.row(y) : nullptr;
        const auto write = [&row, line, colors, pixel](int from, int to) {
            row.write(line, from, to);
            if (colors != nullptr) {
                std::fill(colors + from, colors + to, pixel);
            }
        };
        if (unwritten != nullptr) {
            unwritten->claim(y, covered.begin[y], covered.end[y], write);
        } else {
            write(covered.begin[y], covered.end[y]);
        }
    }
    return true;
}

} // namespace velmora
