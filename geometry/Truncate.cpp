#include "geometry/Truncate.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace velmora {

std::int32_t truncateToInt(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    constexpr double low = std::numeric_limits<std::int32_t>::min();
    constexpr double high = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(std::clamp(std::trunc(value), low, high));
}

} // namespace velmora
