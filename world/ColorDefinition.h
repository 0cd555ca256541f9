#pragma once

#include <cstdint>
#include <string>

namespace velmora {

// A named colour from a world file; only the low eight bits of each component count.
struct ColorDefinition {
    std::string name;
    std::int32_t red = 0;
    std::int32_t green = 0;
    std::int32_t blue = 0;
};

// 0xFFrrggbb from the low eight bits of each component.
std::uint32_t toArgb(const ColorDefinition& color);

} // namespace velmora
