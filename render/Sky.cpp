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

int Sky::offsetFor(int degrees) {
    const long long shift = static_cast<long long>(kPixelsPerDegree) * degrees;
    return static_cast<int>(((-shift) % kImageWidth + kImageWidth) % kImageWidth);
}

int Sky::rows() const {
    return std::min(kImageHeight, image_.height());
}

void Sky::copyColumns(ColorBuffer& frame, int offset, int y, int from, int to) const {
    // Frame column c shows sky column c + offset, wrapped to the width; a picture narrower
    // than the frame leaves the columns it does not reach alone.
    const int usableWidth = std::min(kImageWidth, image_.width());
    std::uint32_t* target = frame.row(y);
    const std::uint32_t* source = image_.row(y);
    const auto copy = [&](int first, int end, int shift) {
        const int last = std::min(end, usableWidth - shift);
        if (first < last) {
            std::memcpy(target + first, source + first + shift,
                        std::size_t(last - first) * sizeof(std::uint32_t));
        }
    };
    const int wrap = kImageWidth - offset;
    copy(from, std::min(to, wrap), offset);
    copy(std::max(from, wrap), to, -wrap);
}

void Sky::draw(ColorBuffer& frame, int degrees, OcclusionMask& painted) const {
    if (image_.empty()) {
        return;
    }
    const int offset = offsetFor(degrees);
    frame.flush();
    for (int y = 0; y < rows(); ++y) {
        painted.claim(y, 0, kFrameWidth,
                      [&](int from, int to) { copyColumns(frame, offset, y, from, to); });
    }
    frame.markDirty();
}

} // namespace velmora
