#include "shell/PictureScale.h"

#include <algorithm>
#include <charconv>

namespace velmora {

int startZoom(int workWidth, int workHeight, int menuBarHeight) {
    const int across = workWidth / kPictureWidth;
    const int down = (workHeight - menuBarHeight) / kPictureHeight;
    return std::clamp(std::min(across, down), 1, kMaxZoom);
}

PicturePlacement placePicture(int areaWidth, int areaHeight, int zoom) {
    double scale = zoom;
    if (zoom == kFitZoom) {
        scale = std::min(double(areaWidth) / kPictureWidth, double(areaHeight) / kPictureHeight);
        scale = std::max(scale, 1.0 / kPictureWidth); // an area of no size still shows a pixel
    }
    // Whole pixels for the corner, so that a whole zoom keeps each picture pixel square.
    const auto corner = [scale](int area, int picture) {
        return double(int((area - picture * scale) / 2));
    };
    return {corner(areaWidth, kPictureWidth), corner(areaHeight, kPictureHeight), scale};
}

int zoomedIn(int zoom) {
    return std::clamp(zoom + 1, 1, kMaxZoom);
}

int zoomedOut(int zoom) {
    return std::clamp(zoom - 1, 1, kMaxZoom);
}

std::optional<int> parseZoom(const std::string& text) {
    int zoom = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, zoom);
    if (text.empty() || error != std::errc() || stop != end || zoom < 1 || zoom > kMaxZoom) {
        return std::nullopt;
    }
    return zoom;
}

} // namespace velmora
