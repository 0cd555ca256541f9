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

void add(NumberFields& fields, std::string_view text) {
    fields.texts[fields.count++] = text;
}

void addList(NumberFields& fields, std::string_view text) {
    const std::size_t firstComma = text.find(',');
    if (firstComma == std::string_view::npos) {
        add(fields, text);
        add(fields, text);
        add(fields, text);
        return;
    }
    const std::size_t lastComma = text.rfind(',');
    const std::string_view last = text.substr(lastComma + 1);
    add(fields, text.substr(0, firstComma));
    add(fields,
        lastComma == firstComma ? last : text.substr(firstComma + 1, lastComma - firstComma - 1));
    add(fields, last);
}

// The rotation part "px,pz-angle": the first minus sign ends the pivot, so a pivot coordinate
// cannot be negative, and a lone number serves as pivot and angle alike.
void addRotation(NumberFields& fields, std::string_view rotation) {
    const std::size_t comma = rotation.find(',');
    const std::size_t minus = rotation.find('-');
    const std::size_t zStart = comma == std::string_view::npos ? 0 : comma + 1;
    std::string_view zText = rotation.substr(zStart);
    if (minus != std::string_view::npos && minus >= zStart) {
        zText = rotation.substr(zStart, minus - zStart);
    }
    add(fields, before(rotation, comma));
    add(fields, zText);
    add(fields, minus == std::string_view::npos ? rotation : after(rotation, minus));
}

void addTexture(NumberFields& fields, std::string_view texture) {
    const std::size_t comma = texture.find(',');
    add(fields, before(texture, comma));
    add(fields, after(texture, comma));
}

Vertex vertexOf(const NumberFields& fields) {
    return {static_cast<float>(readInteger(fields.texts[0])),
            static_cast<float>(readInteger(fields.texts[1])),
            static_cast<float>(readInteger(fields.texts[2]))};
}

} // namespace

IntegerReading readIntegerField(std::string_view text) {
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
    IntegerReading reading;
    std::int64_t magnitude = 0;
    for (; i < text.size() && isDigit(text[i]); ++i) {
        reading.hasDigits = true;
        if (magnitude < limit) {
            magnitude = magnitude * 10 + (text[i] - '0');
        }
    }
    reading.rest = text.substr(i);
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value > std::numeric_limits<std::int32_t>::max()) {
        reading.value = std::numeric_limits<std::int32_t>::max();
        reading.clamped = true;
    } else if (value < std::numeric_limits<std::int32_t>::min()) {
        reading.value = std::numeric_limits<std::int32_t>::min();
        reading.clamped = true;
    } else {
        reading.value = static_cast<std::int32_t>(value);
    }
    return reading;
}

std::int32_t readInteger(std::string_view text) {
    return readIntegerField(text).value;
}

NumberFields numberFields(std::string_view text, NumberShape shape) {
    NumberFields fields;
    if (shape == NumberShape::Count) {
        add(fields, text);
        return fields;
    }
    const std::size_t colon = shape == NumberShape::List ? std::string_view::npos : text.find(':');
    addList(fields, before(text, colon));
    if (colon != std::string_view::npos) {
        shape == NumberShape::Position ? addRotation(fields, after(text, colon))
                                       : addTexture(fields, after(text, colon));
    }
    return fields;
}

NumberList readNumberList(std::string_view text) {
    const NumberFields fields = numberFields(text, NumberShape::List);
    return {readInteger(fields.texts[0]), readInteger(fields.texts[1]),
            readInteger(fields.texts[2])};
}

PositionLine readPositionLine(std::string_view text) {
    const NumberFields fields = numberFields(text, NumberShape::Position);
    PositionLine line;
    line.position = vertexOf(fields);
    if (fields.count == 6) {
        line.pivot.x = static_cast<float>(readInteger(fields.texts[3]));
        line.pivot.z = static_cast<float>(readInteger(fields.texts[4]));
        line.angle = readInteger(fields.texts[5]);
    }
    return line;
}

Vertex readCornerLine(std::string_view text) {
    const NumberFields fields = numberFields(text, NumberShape::Corner);
    Vertex corner = vertexOf(fields);
    if (fields.count == 5) {
        corner.u = readInteger(fields.texts[3]);
        corner.v = readInteger(fields.texts[4]);
    }
    return corner;
}

} // namespace velmora
