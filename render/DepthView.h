#pragma once

#include "render/ColorBuffer.h"
#include "render/DepthBuffer.h"

#include <cstdint>

namespace velmora {

// The grey level a depth entry shows: 0 black, 2000 white, wrapping every 256 levels (about
// every 2008 units); an empty entry shows 163.
std::uint8_t depthViewLevel(std::uint16_t entry);

// Overwrites the whole frame with the depth buffer as grey levels.
void showDepthView(ColorBuffer& frame, const DepthBuffer& depth);

} // namespace velmora
