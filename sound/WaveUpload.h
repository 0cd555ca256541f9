#pragma once

#include "sound/WaveResource.h"

#include <AL/al.h>

#include <cstddef>
#include <cstdint>
#include <span>

namespace velmora {

// What the wave library makes of a checked image: the OpenAL sample format (0 when it cannot use
// the image), the size in bytes of the samples it would hand over, and their frequency.
struct WaveDescription {
    ALenum format = 0;
    ALsizei size = 0;
    ALsizei frequency = 0;
};

// Asks the wave library about an image that readWaveHeader has accepted. The library takes no
// length, so the image must have passed those checks.
WaveDescription describeWave(std::span<const std::uint8_t> checkedImage);

// True when the samples stored in the image can be handed to OpenAL as described: the library
// decodes some encodings into a block it does not return, so its size may exceed the stored one.
bool describesStoredSamples(const WaveDescription& description, std::size_t storedSize);

// Fills buffer with the wave's samples and attaches it to source. An OpenAL error, or an image
// the library cannot use, shows "Error load sounding. Need more buffers?" and gives false.
bool uploadWave(platform::Host& host, const LoadedWave& wave, ALuint buffer, ALuint source);

} // namespace velmora
