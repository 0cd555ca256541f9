#pragma once

#include <cstdint>

namespace velmora {

// The out-of-range half of truncateToInt: clamps, and NaN gives 0.
std::int32_t truncateOutOfRange(double value);

// Float to integer, truncating toward zero as every conversion in the world does; out-of-range
// values clamp and NaN gives 0, so that absurd coordinates cannot make the conversion undefined.
// Inline, because the depth rasterizer converts once per pixel.
inline std::int32_t truncateToInt(double value) {
    // NaN fails both comparisons and takes the slow path too.
    if (value > -2147483649.0 && value < 2147483648.0) {
        return static_cast<std::int32_t>(value);
    }
    return truncateOutOfRange(value);
}

} // namespace velmora
