#pragma once

#include "geometry/Vertex.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace velmora {

// How one number field reads the way world files always have: leading white space skipped, an
// optional sign, digits up to the first non-digit; text without digits reads as 0. Values beyond
// the 32-bit range are clamped rather than wrapped.
struct IntegerReading {
    std::int32_t value = 0;
    bool hasDigits = false;
    bool clamped = false;
    std::string_view rest; // what follows the digits, read by nothing
};
IntegerReading readIntegerField(std::string_view text);
std::int32_t readInteger(std::string_view text);

// The lines of numbers world files hold: a count, a list "x,y,z" (or "r,g,b"), a position line
// "x,y,z" optionally followed by ":px,pz-angle", a corner line "x,y,z" optionally followed by
// ":u,v".
enum class NumberShape { Count, List, Position, Corner };

// The texts a line of that shape takes its numbers from, in order: the count; x, y, z; then
// px, pz and angle, or u and v, when the line has a colon. A list is split at its first and its
// last comma: with one comma the second and third numbers share the text after it, with none
// all three are the whole text, so fields may be the same text.
struct NumberFields {
    std::array<std::string_view, 6> texts;
    std::size_t count = 0;
};
NumberFields numberFields(std::string_view text, NumberShape shape);

struct NumberList {
    std::int32_t first = 0;
    std::int32_t second = 0;
    std::int32_t third = 0;
};
NumberList readNumberList(std::string_view text);

struct PositionLine {
    Vertex position;
    Vertex pivot; // y is always 0
    std::int32_t angle = 0;
};
PositionLine readPositionLine(std::string_view text);

Vertex readCornerLine(std::string_view text);

} // namespace velmora
