#include "world/ColorDefinition.h"

namespace velmora {

std::uint32_t toArgb(const ColorDefinition& color) {
    auto low8 = [](std::int32_t component) {
        return static_cast<std::uint32_t>(component) & 0xFFu;
    };
    return 0xFF000000u | (low8(color.red) << 16) | (low8(color.green) << 8) | low8(color.blue);
}

} // namespace velmora
