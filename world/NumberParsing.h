#pragma once

#include "geometry/Vertex.h"

#include <cstdint>
#include <string_view>

namespace velmora {

// A decimal integer read the way world files always have been: leading white space skipped, an
// optional sign, digits up to the first non-digit; text without digits reads as 0. Values beyond
// the 32-bit range are clamped rather than wrapped.
std::int32_t readInteger(std::string_view text);

// "x,y,z": split at the first and the last comma. With one comma the second and third numbers
// share the text after it; with none, all three are the whole text.
struct NumberList {
    std::int32_t first = 0;
    std::int32_t second = 0;
    std::int32_t third = 0;
};
NumberList readNumberList(std::string_view text);

// "x,y,z" optionally followed by ":px,pz-angle".
struct PositionLine {
    Vertex position;
    Vertex pivot; // y is always 0
    std::int32_t angle = 0;
};
PositionLine readPositionLine(std::string_view text);

// "x,y,z" optionally followed by ":u,v".
Vertex readCornerLine(std::string_view text);

} // namespace velmora
