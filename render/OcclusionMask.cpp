#include "render/OcclusionMask.h"

namespace velmora {

bool OcclusionMask::hides(const Coverage& covered) const {
    for (int y = covered.top; y < covered.bottom; ++y) {
        if (!full(y, covered.begin[y], covered.end[y])) {
            return false;
        }
    }
    return true;
}

bool OcclusionMask::hides(const PixelRect& rect) const {
    for (int y = rect.top; y < rect.bottom; ++y) {
        if (!full(y, rect.left, rect.right)) {
            return false;
        }
    }
    return true;
}

} // namespace velmora
