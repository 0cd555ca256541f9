#pragma once

#include <cstdint>

namespace velmora::platform {

// Pixels the core hands out to be shown: rows of 0x00RRGGBB words, `stride` words apart.
struct PixelView {
    const std::uint32_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    int stride = 0;
};

} // namespace velmora::platform
