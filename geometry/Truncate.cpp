#include "geometry/Truncate.h"

#include <cmath>
#include <limits>

namespace velmora {

std::int32_t truncateOutOfRange(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    return value < 0.0 ? std::numeric_limits<std::int32_t>::min()
                       : std::numeric_limits<std::int32_t>::max();
}

} // namespace velmora
