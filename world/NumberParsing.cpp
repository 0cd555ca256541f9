#include "world/NumberParsing.h"

#include <limits>

namespace velmora {

namespace {

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view before(std::string_view text, std::size_t position) {
    return position == std::string_view::npos ? text : text.substr(0, position);
}

std::string_view after(std::string_view text, std::size_t position) {
    return position == std::string_view::npos ? std::string_view{} : text.substr(position + 1);
}

} // namespace

std::int32_t readInteger(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && isSpace(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    constexpr std::int64_t limit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t magnitude = 0;
    for (; i < text.size() && isDigit(text[i]); ++i) {
        if (magnitude < limit) {
            magnitude = magnitude * 10 + (text[i] - '0');
        }
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value > std::numeric_limits<std::int32_t>::max()) {
        return std::numeric_limits<std::int32_t>::max();
    }
    if (value < std::numeric_limits<std::int32_t>::min()) {
        return std::numeric_limits<std::int32_t>::min();
    }
    return static_cast<std::int32_t>(value);
}

NumberList readNumberList(std::string_view text) {
    const std::size_t firstComma = text.find(',');
    if (firstComma == std::string_view::npos) {
        const std::int32_t whole = readInteger(text);
        return {whole, whole, whole};
    }
    const std::size_t lastComma = text.rfind(',');
    const std::string_view last = text.substr(lastComma + 1);
    const std::string_view middle =
        lastComma == firstComma ? last : text.substr(firstComma + 1, lastComma - firstComma - 1);
    return {readInteger(text.substr(0, firstComma)), readInteger(middle), readInteger(last)};
}

PositionLine readPositionLine(std::string_view text) {
    const std::size_t colon = text.find(':');
    const NumberList coordinates = readNumberList(before(text, colon));
    PositionLine line;
    line.position.x = static_cast<float>(coordinates.first);
    line.position.y = static_cast<float>(coordinates.second);
    line.position.z = static_cast<float>(coordinates.third);
    if (colon == std::string_view::npos) {
        return line;
    }
    // The rotation part "px,pz-angle": the first minus sign ends the pivot, so a pivot coordinate
    // cannot be negative, and a lone number serves as pivot and angle alike.
    const std::string_view rotation = after(text, colon);
    const std::size_t comma = rotation.find(',');
    const std::size_t minus = rotation.find('-');
    const std::size_t zStart = comma == std::string_view::npos ? 0 : comma + 1;
    std::string_view zText = rotation.substr(zStart);
    if (minus != std::string_view::npos && minus >= zStart) {
        zText = rotation.substr(zStart, minus - zStart);
    }
    line.pivot.x = static_cast<float>(readInteger(before(rotation, comma)));
    line.pivot.z = static_cast<float>(readInteger(zText));
    line.angle = readInteger(minus == std::string_view::npos ? rotation : after(rotation, minus));
    return line;
}

Vertex readCornerLine(std::string_view text) {
    const std::size_t colon = text.find(':');
    const NumberList coordinates = readNumberList(before(text, colon));
    Vertex corner;
    corner.x = static_cast<float>(coordinates.first);
    corner.y = static_cast<float>(coordinates.second);
    corner.z = static_cast<float>(coordinates.third);
    if (colon != std::string_view::npos) {
        const std::string_view texture = after(text, colon);
        const std::size_t comma = texture.find(',');
        corner.u = readInteger(before(texture, comma));
        corner.v = readInteger(after(texture, comma));
    }
    return corner;
}

} // namespace velmora
