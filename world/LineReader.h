#pragma once

#include <fstream>
#include <optional>
#include <string>

namespace velmora {

// Reads a text file line by line. Lines of any length are read whole; a carriage return directly
// before the line feed is dropped, anything else is kept as it stands.
class LineReader {
  public:
    // Opens a regular file; anything else (missing, a directory, a device) does not open.
    explicit LineReader(const std::string& path);

    bool isOpen() const { return isOpen_; }

    // The next line, or nothing once the file has ended.
    std::optional<std::string> next();

    // The next line, or an empty line once the file has ended: inside a directive the missing
    // lines of a truncated file read as empty.
    std::string nextOrEmpty();

  private:
    std::ifstream in_;
    bool isOpen_ = false;
    bool ended_ = false;
};

} // namespace velmora
