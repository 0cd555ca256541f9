#pragma once

#include "platform/PixelView.h"

#include <cstdint>
#include <vector>

namespace velmora::platform {

// The whole picture the core draws into the window (frame, panels, loading screen, menus,
// closing panel): the window shows it scaled, the headless tool can write it out.
inline constexpr int kPictureWidth = 1024;
inline constexpr int kPictureHeight = 768;

// The picture's pixels, 0x00RRGGBB words, kept by a host between presents.
class WindowPicture {
  public:
    WindowPicture();

    // All black.
    void clear();
    // Copies the image with its top-left corner at (x, y), cut to the picture.
    void present(const PixelView& image, int x, int y);

    PixelView view() const { return {pixels_.data(), kPictureWidth, kPictureHeight, kPictureWidth}; }
    std::uint32_t* data() { return pixels_.data(); }

  private:
    std::vector<std::uint32_t> pixels_;
};

} // namespace velmora::platform
