#pragma once

#include <cstdint>

namespace velmora {

// The frame every picture is drawn into: 1000 columns by 400 rows, the horizon on row 200.
inline constexpr int kFrameWidth = 1000;
inline constexpr int kFrameHeight = 400;
inline constexpr int kHorizonRow = 200;

// A depth entry that no surface has written.
inline constexpr std::uint16_t kEmptyDepth = 65535;

} // namespace velmora
