#include "world/LineReader.h"

#include <filesystem>

namespace velmora {

LineReader::LineReader(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        return;
    }
    in_.open(path, std::ios::binary);
    isOpen_ = in_.is_open();
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
    const bool endedByLineFeed = !in_.eof();
    if (endedByLineFeed && !line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    return line;
}

std::string LineReader::nextOrEmpty() {
    return next().value_or(std::string{});
}

} // namespace velmora
