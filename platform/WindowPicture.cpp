#include "platform/WindowPicture.h"

#include <algorithm>

namespace velmora::platform {

WindowPicture::WindowPicture() : pixels_(std::size_t(kPictureWidth) * kPictureHeight, 0) {}

void WindowPicture::clear() {
    std::fill(pixels_.begin(), pixels_.end(), 0);
}

void WindowPicture::present(const PixelView& image, int x, int y) {
    const int left = std::max(0, x);
    const int right = std::min(kPictureWidth, x + image.width);
    const int top = std::max(0, y);
    const int bottom = std::min(kPictureHeight, y + image.height);
    for (int row = top; row < bottom; ++row) {
        const std::uint32_t* from = image.pixels + std::ptrdiff_t(row - y) * image.stride + (left - x);
        std::copy(from, from + std::max(0, right - left),
                  pixels_.begin() + std::ptrdiff_t(row) * kPictureWidth + left);
    }
}

} // namespace velmora::platform
