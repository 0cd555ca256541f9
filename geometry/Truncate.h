#pragma once

#include <cstdint>

namespace velmora {

// Float to integer, truncating toward zero as every conversion in the world does; out-of-range
// values clamp and NaN gives 0, so that absurd coordinates cannot make the conversion undefined.
std::int32_t truncateToInt(double value);

} // namespace velmora
