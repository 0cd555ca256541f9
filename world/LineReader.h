#pragma once

#include <fstream>
#include <optional>
#include <string>

namespace velmora {

// Reads a text file line by line. Lines of any length are read whole; a carriage return directly
// before the line feed is dropped, anything else is kept as it stands.
class LineReader {
  public:
    // Opens a regular file; anything else (missing, a directory, a device) does not open. Reading
    // starts at byte offset start, a position() of an earlier reader of the same file.
    explicit LineReader(const std::string& path, std::streamoff start = 0);

    bool isOpen() const { return isOpen_; }

    // The next line, or nothing once the file has ended.
    std::optional<std::string> next();

    // The next line, or an empty line once the file has ended: inside a directive the missing
    // lines of a truncated file read as empty.
    std::string nextOrEmpty();

    // Where the next line starts (the file's size once it has ended), so that the file can be
    // closed and read on later from there.
    std::streamoff position();

  private:
    std::ifstream in_;
    bool isOpen_ = false;
    bool ended_ = false;
};

} // namespace velmora
