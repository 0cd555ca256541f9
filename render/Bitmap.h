#pragma once

#include "platform/EmbeddedResource.h"
#include "platform/Host.h"

#include <cstdint>
#include <vector>

namespace velmora {

// A picture decoded from one of the program's bitmap resources: rows of 0x00RRGGBB, top row
// first, whatever depth and row order the file had. A missing or undecodable resource gives an
// empty bitmap, and every copy from an empty bitmap does nothing.
class Bitmap {
  public:
    Bitmap() = default;
    Bitmap(int width, int height, std::vector<std::uint32_t> pixels);

    // Decodes BMP (or any format the image library reads) bytes; empty on failure.
    static Bitmap decode(platform::ResourceBytes bytes);
    // The host's bitmap resource of that number; empty when it has none.
    static Bitmap load(const platform::Host& host, int number);

    bool empty() const { return pixels_.empty(); }
    int width() const { return width_; }
    int height() const { return height_; }
    // The colour of (x, y), which must lie inside the picture.
    std::uint32_t pixel(int x, int y) const { return pixels_[std::size_t(y) * width_ + x]; }
    const std::uint32_t* row(int y) const { return pixels_.data() + std::size_t(y) * width_; }
    platform::PixelView view() const;

  private:
    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint32_t> pixels_;
};

} // namespace velmora
