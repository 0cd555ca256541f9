#include "render/PngFile.h"

#include <cairo.h>

namespace velmora {

bool writePng(const platform::PixelView& pixels, const std::string& path) {
    // cairo only reads the pixels here; its surface type has no read-only form.
    cairo_surface_t* surface = cairo_image_surface_create_for_data(
        reinterpret_cast<unsigned char*>(const_cast<std::uint32_t*>(pixels.pixels)),
        CAIRO_FORMAT_RGB24, pixels.width, pixels.height, pixels.stride * 4);
    const bool written = cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(surface);
    return written;
}

} // namespace velmora
