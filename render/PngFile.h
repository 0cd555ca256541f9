#pragma once

#include "platform/PixelView.h"

#include <string>

namespace velmora {

// Writes the pixels as an RGB PNG; false when the file cannot be written.
bool writePng(const platform::PixelView& pixels, const std::string& path);

} // namespace velmora
