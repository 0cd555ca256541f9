#include "sound/WaveResource.h"

#include "platform/Host.h"
#include "sound/SoundError.h"

#include <algorithm>
#include <new>

namespace velmora {

namespace {

// Four characters as the little-endian word they form at the start of a chunk.
constexpr std::uint32_t fourCc(const char (&text)[5]) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(text[0])) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(text[1])) << 8 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(text[2])) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(text[3])) << 24;
}

constexpr std::uint32_t canonicalFmtSize = 16;

std::uint32_t wordAt(platform::ResourceBytes bytes, std::size_t offset) {
    return static_cast<std::uint32_t>(bytes[offset]) |
           static_cast<std::uint32_t>(bytes[offset + 1]) << 8 |
           static_cast<std::uint32_t>(bytes[offset + 2]) << 16 |
           static_cast<std::uint32_t>(bytes[offset + 3]) << 24;
}

// The samples must follow a 16-byte "fmt " chunk directly and end inside the image; otherwise the
// wave library would look for them, or read them, outside it.
bool dataSectionFits(const WaveHeader& header, std::size_t imageLength) {
    return header.dataId == fourCc("data") && header.fmtSize == canonicalFmtSize &&
           header.dataSize <= imageLength - WaveHeader::size;
}

// The first failed check's message, or nothing when the header is canonical.
const char* headerProblem(const WaveHeader& header, std::size_t imageLength) {
    if (header.chunkId != fourCc("RIFF")) {
        return "Sound Error: RIFF header section doesn't match expected format";
    }
    if (header.format != fourCc("WAVE")) {
        return "Sound Error: WAVE header section doesn't match expected format";
    }
    if (header.fmtId != fourCc("fmt ")) {
        return "Sound Error: fmt header section doesn't match expected format";
    }
    if (!dataSectionFits(header, imageLength)) {
        return "Sound Error: data section doesn't match expected format";
    }
    return nullptr;
}

} // namespace

WaveHeader decodeWaveHeader(platform::ResourceBytes bytes) {
    WaveHeader header;
    header.chunkId = wordAt(bytes, 0);
    header.chunkSize = wordAt(bytes, 4);
    header.format = wordAt(bytes, 8);
    header.fmtId = wordAt(bytes, 12);
    header.fmtSize = wordAt(bytes, 16);
    for (std::size_t i = 0; i < 4; ++i) {
        header.fmtWords[i] = wordAt(bytes, 20 + 4 * i);
    }
    header.dataId = wordAt(bytes, 36);
    header.dataSize = wordAt(bytes, 40);
    return header;
}

std::optional<LoadedWave> readWaveHeader(platform::Host& host, platform::ResourceBytes bytes) {
    if (bytes.size() < WaveHeader::size) {
        return std::nullopt;
    }
    LoadedWave wave;
    wave.header = decodeWaveHeader(bytes);
    if (const char* problem = headerProblem(wave.header, bytes.size())) {
        showSoundError(host, problem);
        return std::nullopt;
    }
    const std::size_t length = WaveHeader::size + wave.header.dataSize;
    try {
        wave.bytes.resize(length);
    } catch (const std::bad_alloc&) {
        showSoundError(host, "Sound Error: uanable to allocate buffer");
        return std::nullopt;
    }
    std::copy_n(bytes.begin(), length, wave.bytes.begin());
    return wave;
}

std::optional<LoadedWave> loadWaveResource(platform::Host& host, int resourceId) {
    const auto bytes = host.resource(platform::ResourceType::Wave, resourceId);
    if (!bytes || bytes->empty()) {
        return std::nullopt;
    }
    return readWaveHeader(host, *bytes);
}

} // namespace velmora
