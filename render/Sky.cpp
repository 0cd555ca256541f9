#include "render/Sky.h"

#include "geometry/Rotation.h"
#include "geometry/Truncate.h"

#include <algorithm>
#include <cstring>

namespace velmora {

namespace {

// Degrees per radian for whole-degree results, the counterpart of kDegreesToRadians.
constexpr double kRadiansToDegrees = 57.295;

} // namespace

Sky::Sky(Bitmap image) : image_(std::move(image)) {}

int Sky::degreesForHeading(float heading) {
    const float theta = static_cast<float>((360.0f - heading) * kDegreesToRadians);
    return truncateToInt(static_cast<double>(theta) * kRadiansToDegrees);
}

void Sky::draw(ColorBuffer& frame, int degrees) const {
    if (image_.empty()) {
        return;
    }
    const long long shift = static_cast<long long>(kPixelsPerDegree) * degrees;
    // The sky column shown at frame column 0.
    const int offset = static_cast<int>(((-shift) % kImageWidth + kImageWidth) % kImageWidth);
    const int rows = std::min(kImageHeight, image_.height());
    const int usableWidth = std::min(kImageWidth, image_.width());
    frame.flush();
    for (int y = 0; y < rows; ++y) {
        std::uint32_t* target = frame.row(y);
        const std::uint32_t* source = image_.row(y);
        // Frame columns [0, width - offset) show sky columns [offset, width), the rest wrap to 0.
        const int firstCount = std::max(0, usableWidth - offset);
        std::memcpy(target, source + std::min(offset, usableWidth),
                    std::size_t(firstCount) * sizeof(std::uint32_t));
        const int secondCount = std::min(offset, usableWidth);
        std::memcpy(target + (kImageWidth - offset), source,
                    std::size_t(secondCount) * sizeof(std::uint32_t));
    }
    frame.markDirty();
}

} // namespace velmora
