#include "characters/VoiceLines.h"

#include "content/Sounds.h"
#include "sound/WaveResource.h"

#include <charconv>

namespace velmora {

namespace {

// The next tab-separated field of line from at on; at moves past its tab.
std::string_view nextField(std::string_view line, std::size_t& at) {
    if (at > line.size()) {
        return {};
    }
    const std::size_t tab = std::min(line.find('\t', at), line.size());
    const std::string_view field = line.substr(at, tab - at);
    at = tab + 1;
    return field;
}

std::chrono::milliseconds waveLength(const platform::Host& host, int waveId) {
    const auto bytes = host.resource(platform::ResourceType::Wave, waveId);
    if (!bytes || bytes->size() < WaveHeader::size) {
        return {};
    }
    const WaveHeader header = decodeWaveHeader(*bytes);
    const std::uint32_t bytesPerSecond = header.fmtWords[2];
    if (bytesPerSecond == 0) {
        return {};
    }
    return std::chrono::milliseconds(std::uint64_t(header.dataSize) * 1000 / bytesPerSecond);
}

} // namespace

VoiceLines::VoiceLines(std::string_view table) {
    std::size_t start = 0;
    while (start < table.size()) {
        const std::size_t end = std::min(table.find('\n', start), table.size());
        std::string_view line = table.substr(start, end - start);
        start = end + 1;
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        if (line.empty() || line.starts_with('#')) {
            continue;
        }
        std::size_t at = 0;
        const std::string_view number = nextField(line, at);
        nextField(line, at); // the wave's file name
        nextField(line, at); // the speaker
        if (at > line.size()) {
            continue;
        }
        const std::string_view text = line.substr(at);
        int waveId = 0;
        const auto parsed = std::from_chars(number.data(), number.data() + number.size(), waveId);
        if (parsed.ec == std::errc() && parsed.ptr == number.data() + number.size() && !text.empty()) {
            texts_[waveId] = std::string(text);
        }
    }
}

VoiceLines VoiceLines::load(const platform::Host& host) {
    const auto table = host.resource(platform::ResourceType::Text, content::kVoiceLinesText);
    VoiceLines lines;
    if (table) {
        lines = VoiceLines(std::string_view(reinterpret_cast<const char*>(table->data()), table->size()));
    }
    for (const auto& [waveId, text] : lines.texts_) {
        lines.lengths_[waveId] = waveLength(host, waveId);
    }
    return lines;
}

std::string_view VoiceLines::textOf(int waveId) const {
    const auto found = texts_.find(waveId);
    return found == texts_.end() ? std::string_view() : std::string_view(found->second);
}

std::chrono::milliseconds VoiceLines::lengthOf(int waveId) const {
    const auto found = lengths_.find(waveId);
    return found == lengths_.end() ? std::chrono::milliseconds() : found->second;
}

} // namespace velmora
