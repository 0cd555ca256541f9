#pragma once

#include "platform/EmbeddedResource.h"
#include "platform/Host.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace velmora {

// The canonical 44-byte header of a RIFF/WAVE image, as eleven little-endian words.
struct WaveHeader {
    std::uint32_t chunkId = 0;      // "RIFF"
    std::uint32_t chunkSize = 0;    // not checked
    std::uint32_t format = 0;       // "WAVE"
    std::uint32_t fmtId = 0;        // "fmt "
    std::uint32_t fmtSize = 0;      // 16 in the canonical layout
    std::uint32_t fmtWords[4] = {}; // audio format, channels, rates, block align, bits
    std::uint32_t dataId = 0;       // "data"
    std::uint32_t dataSize = 0;     // bytes of samples after the header

    static constexpr std::size_t size = 44;
};

// A checked copy of a whole wave image: header and samples, data size + 44 bytes.
struct LoadedWave {
    WaveHeader header;
    std::vector<std::uint8_t> bytes;

    std::size_t length() const { return bytes.size(); }
    const std::uint8_t* samples() const { return bytes.data() + WaveHeader::size; }
};

// The eleven words at the start of bytes, which must hold at least WaveHeader::size bytes.
WaveHeader decodeWaveHeader(platform::ResourceBytes bytes);

// Checks the header of a wave image and copies the image. Each failed check shows its own message
// through the host and gives nothing. An image shorter than the header gives nothing without a message: the caller
// reports it as an unloadable resource.
std::optional<LoadedWave> readWaveHeader(platform::Host& host, platform::ResourceBytes bytes);

// The WAVE resource with this number, checked and copied, or nothing when the host has no such
// resource or it is malformed. Only a malformed header shows a message here.
std::optional<LoadedWave> loadWaveResource(platform::Host& host, int resourceId);

} // namespace velmora
