#include "render/ColorBuffer.h"

#include <algorithm>
#include <cstring>

namespace velmora {

namespace {

// The part of the rectangle inside the frame.
PixelRect insideFrame(int x, int y, int width, int height) {
    return {std::max(x, 0), std::max(y, 0), std::min(x + width, kFrameWidth),
            std::min(y + height, kFrameHeight)};
}

} // namespace

ColorBuffer::ColorBuffer()
    : surface_(cairo_image_surface_create(CAIRO_FORMAT_RGB24, kFrameWidth, kFrameHeight)),
      pixels_(reinterpret_cast<std::uint32_t*>(cairo_image_surface_get_data(surface_))),
      stride_(cairo_image_surface_get_stride(surface_) / 4) {}

ColorBuffer::~ColorBuffer() {
    cairo_surface_destroy(surface_);
}

void ColorBuffer::flush() {
    cairo_surface_flush(surface_);
}

void ColorBuffer::markDirty() {
    cairo_surface_mark_dirty(surface_);
}

void ColorBuffer::copy(const Bitmap& bitmap, int sourceX, int sourceY, int width, int height, int x,
                       int y) {
    // Cut the rectangle to the bitmap, then to the frame, moving both corners alike.
    const int left = std::max({0, -sourceX, -x});
    const int top = std::max({0, -sourceY, -y});
    const int right = std::min({width, bitmap.width() - sourceX, kFrameWidth - x});
    const int bottom = std::min({height, bitmap.height() - sourceY, kFrameHeight - y});
    if (bitmap.empty() || left >= right || top >= bottom) {
        return;
    }
    flush();
    for (int r = top; r < bottom; ++r) {
        std::memcpy(row(y + r) + x + left, bitmap.row(sourceY + r) + sourceX + left,
                    std::size_t(right - left) * sizeof(std::uint32_t));
    }
    markDirty();
}

void ColorBuffer::copy(const Bitmap& bitmap, int x, int y) {
    copy(bitmap, 0, 0, bitmap.width(), bitmap.height(), x, y);
}

void ColorBuffer::fillRect(int x, int y, int width, int height, std::uint32_t rgb) {
    const PixelRect rect = insideFrame(x, y, width, height);
    if (rect.empty()) {
        return;
    }
    flush();
    for (int r = rect.top; r < rect.bottom; ++r) {
        std::fill(row(r) + rect.left, row(r) + rect.right, rgb & 0x00FFFFFF);
    }
    markDirty();
}

void ColorBuffer::fillRect(int x, int y, int width, int height, std::uint32_t rgb,
                           OcclusionMask& painted) {
    const PixelRect rect = insideFrame(x, y, width, height);
    if (rect.empty()) {
        return;
    }
    const std::uint32_t pixel = rgb & 0x00FFFFFF;
    flush();
    for (int r = rect.top; r < rect.bottom; ++r) {
        std::uint32_t* line = row(r);
        painted.claim(r, rect.left, rect.right, [line, pixel](int from, int to) {
            std::fill(line + from, line + to, pixel);
        });
    }
    markDirty();
}

void ColorBuffer::fill(const Coverage& covered, std::uint32_t rgb) {
    const std::uint32_t pixel = rgb & 0x00FFFFFF;
    std::uint32_t* line = row(covered.top);
    for (int y = covered.top; y < covered.bottom; ++y, line += stride_) {
        std::fill(line + covered.begin[y], line + std::max(covered.begin[y], covered.end[y]),
                  pixel);
    }
}

void ColorBuffer::fill(const Coverage& covered, std::uint32_t rgb, OcclusionMask& painted) {
    const std::uint32_t pixel = rgb & 0x00FFFFFF;
    std::uint32_t* line = row(covered.top);
    for (int y = covered.top; y < covered.bottom; ++y, line += stride_) {
        painted.claim(y, covered.begin[y], covered.end[y], [line, pixel](int from, int to) {
            std::fill(line + from, line + to, pixel);
        });
    }
}

platform::PixelView ColorBuffer::view() const {
    return {pixels_, kFrameWidth, kFrameHeight, stride_};
}

bool ColorBuffer::writePng(const std::string& path) {
    flush();
    return cairo_surface_write_to_png(surface_, path.c_str()) == CAIRO_STATUS_SUCCESS;
}

} // namespace velmora
