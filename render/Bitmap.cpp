#include "render/Bitmap.h"

#include <gdk-pixbuf/gdk-pixbuf.h>

#include <memory>

namespace velmora {

namespace {

struct PixbufLoaderDeleter {
    void operator()(GdkPixbufLoader* loader) const { g_object_unref(loader); }
};

// The loader owns the pixbuf it made; the pixels are copied out before it goes.
Bitmap toBitmap(GdkPixbuf* pixbuf) {
    const int width = gdk_pixbuf_get_width(pixbuf);
    const int height = gdk_pixbuf_get_height(pixbuf);
    const int channels = gdk_pixbuf_get_n_channels(pixbuf);
    const int stride = gdk_pixbuf_get_rowstride(pixbuf);
    if (gdk_pixbuf_get_bits_per_sample(pixbuf) != 8 || channels < 3 || width <= 0 || height <= 0) {
        return {};
    }
    const guint8* bytes = gdk_pixbuf_read_pixels(pixbuf);
    std::vector<std::uint32_t> pixels(std::size_t(width) * height);
    for (int y = 0; y < height; ++y) {
        const guint8* source = bytes + std::size_t(y) * stride;
        for (int x = 0; x < width; ++x, source += channels) {
            pixels[std::size_t(y) * width + x] =
                std::uint32_t(source[0]) << 16 | std::uint32_t(source[1]) << 8 | source[2];
        }
    }
    return Bitmap(width, height, std::move(pixels));
}

} // namespace

Bitmap::Bitmap(int width, int height, std::vector<std::uint32_t> pixels)
    : width_(width), height_(height), pixels_(std::move(pixels)) {
    if (pixels_.size() != std::size_t(width_) * std::size_t(height_) || width_ <= 0) {
        *this = Bitmap();
    }
}

Bitmap Bitmap::decode(platform::ResourceBytes bytes) {
    if (bytes.empty()) {
        return {};
    }
    std::unique_ptr<GdkPixbufLoader, PixbufLoaderDeleter> loader(gdk_pixbuf_loader_new());
    // A loader must be closed even when writing failed; closing reports whether the whole
    // picture decoded.
    const bool written = gdk_pixbuf_loader_write(loader.get(), bytes.data(), bytes.size(), nullptr);
    const bool closed = gdk_pixbuf_loader_close(loader.get(), nullptr);
    if (!written || !closed) {
        return {};
    }
    GdkPixbuf* pixbuf = gdk_pixbuf_loader_get_pixbuf(loader.get());
    return pixbuf != nullptr ? toBitmap(pixbuf) : Bitmap();
}

Bitmap Bitmap::load(const platform::Host& host, int number) {
    const auto bytes = host.resource(platform::ResourceType::Bitmap, number);
    return bytes ? decode(*bytes) : Bitmap();
}

platform::PixelView Bitmap::view() const {
    return {pixels_.data(), width_, height_, width_};
}

} // namespace velmora
