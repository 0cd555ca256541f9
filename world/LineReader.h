#pragma once

#include "geometry/SourcePosition.h"

#include <cstdint>
#include <fstream>
#include <optional>
#include <string>

namespace velmora {

// Reads a text file line by line and counts the lines. Lines of any length are read whole; a
// carriage return directly before the line feed is dropped, anything else is kept as it stands.
class LineReader {
  public:
    // Opens a regular file; anything else (missing, a directory, a device) does not open. Reading
    // starts at byte offset start, a position() of an earlier reader of the same file, which
    // had read startLine lines by then. `file` is the number where() gives the file.
    explicit LineReader(const std::string& path, std::uint32_t file = 0, std::streamoff start = 0,
                        std::uint32_t startLine = 0);

    bool isOpen() const { return isOpen_; }

    // The next line, or nothing once the file has ended.
    std::optional<std::string> next();

    // The next line, or an empty line once the file has ended: inside a directive the missing
    // lines of a truncated file read as empty.
    std::string nextOrEmpty();

    // Where the next line starts (the file's size once it has ended), so that the file can be
    // closed and read on later from there.
    std::streamoff position();

    // The line last read; once the file has ended, its last line (line 1 of an empty file).
    std::uint32_t line() const { return line_ == 0 ? 1 : line_; }
    // The file and line() together.
    SourcePosition where() const { return {file_, line()}; }
    // Whether a read has found the end of the file.
    bool ended() const { return ended_; }

  private:
    std::ifstream in_;
    std::uint32_t file_ = 0;
    std::uint32_t line_ = 0;
    bool isOpen_ = false;
    bool ended_ = false;
};

} // namespace velmora
