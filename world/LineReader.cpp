#include "world/LineReader.h"

#include <filesystem>
#include <limits>

namespace velmora {

LineReader::LineReader(const std::string& path, std::uint32_t file, std::streamoff start,
                       std::uint32_t startLine)
    : file_(file), line_(startLine) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        return;
    }
    in_.open(path, std::ios::binary);
    isOpen_ = in_.is_open();
    if (isOpen_ && start > 0) {
        in_.seekg(start);
    }
}

std::optional<std::string> LineReader::next() {
    if (!isOpen_ || ended_) {
        return std::nullopt;
    }
    std::string line;
    if (!std::getline(in_, line)) {
        ended_ = true;
        return std::nullopt;
    }
    if (line_ < std::numeric_limits<std::uint32_t>::max()) {
        ++line_;
    }
    const bool endedByLineFeed = !in_.eof();
    if (endedByLineFeed && !line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    return line;
}

std::string LineReader::nextOrEmpty() {
    return next().value_or(std::string{});
}

std::streamoff LineReader::position() {
    if (!isOpen_) {
        return 0;
    }
    // A read that hit the end of the file leaves the stream failed; the end is still a position.
    if (!in_.good()) {
        in_.clear();
        in_.seekg(0, std::ios::end);
    }
    const std::streamoff at = in_.tellg();
    // Where the stream cannot say, nothing more is read rather than the file read again.
    return at < 0 ? std::numeric_limits<std::streamoff>::max() : at;
}

} // namespace velmora
