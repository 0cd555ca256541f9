#include "sound/WaveUpload.h"

#include "sound/SoundError.h"

#include <AL/alut.h>

namespace velmora {

WaveDescription describeWave(std::span<const std::uint8_t> checkedImage) {
    WaveDescription description;
    // The library fills in the frequency only when the sample pointer it is given is not null; it
    // leaves the pointer as it was and only reads the image.
    void* samples = const_cast<std::uint8_t*>(checkedImage.data() + WaveHeader::size);
    ALboolean loop = AL_FALSE;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    alutLoadWAVMemory(reinterpret_cast<ALbyte*>(const_cast<std::uint8_t*>(checkedImage.data())),
                      &description.format, &samples, &description.size, &description.frequency,
                      &loop);
#pragma GCC diagnostic pop
    return description;
}

bool describesStoredSamples(const WaveDescription& description, std::size_t storedSize) {
    return description.format != 0 && description.size >= 0 &&
           static_cast<std::size_t>(description.size) <= storedSize;
}

bool uploadWave(platform::Host& host, const LoadedWave& wave, ALuint buffer, ALuint source) {
    alGetError();
    const WaveDescription description = describeWave(wave.bytes);
    const bool usable = describesStoredSamples(description, wave.header.dataSize);
    if (usable) {
        alBufferData(buffer, description.format, wave.samples(), description.size,
                     description.frequency);
    }
    alSourcei(source, AL_BUFFER, static_cast<ALint>(buffer));
    if (alGetError() != AL_NO_ERROR || !usable) {
        showSoundError(host, "Error load sounding. Need more buffers?");
        return false;
    }
    return true;
}

} // namespace velmora
