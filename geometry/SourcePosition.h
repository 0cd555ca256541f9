#pragma once

#include <compare>
#include <cstdint>

namespace velmora {

// Where something was written in the world files: a file, numbered by the reader that read it
// (WorldReader::sourceFiles), and a line counted from 1. Line 0 means nowhere in particular:
// made by the program, not read.
struct SourcePosition {
    std::uint32_t file = 0;
    std::uint32_t line = 0;

    bool operator==(const SourcePosition&) const = default;
    auto operator<=>(const SourcePosition&) const = default;
};

} // namespace velmora
