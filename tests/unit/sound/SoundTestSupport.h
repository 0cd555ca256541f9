#pragma once

#include "FakeHost.h"
#include "sound/SoundManager.h"

#include <AL/alext.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace velmora::test {

using Bytes = std::vector<std::uint8_t>;
using Texts = std::vector<std::string>;

// Four characters as the word they form in an image.
constexpr std::uint32_t fourCc(const char (&id)[5]) {
    return std::uint32_t(id[0] | id[1] << 8 | id[2] << 16) | std::uint32_t(id[3]) << 24;
}

// The image with a word written over it at offset.
inline Bytes patched(Bytes image, std::size_t offset, std::uint32_t word) {
    for (std::size_t i = 0; i < 4; ++i) {
        image.at(offset + i) = static_cast<std::uint8_t>(word >> (8 * i));
    }
    return image;
}

// A canonical RIFF/WAVE image: a 16-byte "fmt " chunk of PCM (audio format 1) or of another
// encoding, then the samples.
inline Bytes riffWave(std::uint32_t channels, std::uint32_t rate, std::uint32_t bits,
                      const Bytes& samples, std::uint32_t audioFormat = 1) {
    const auto size = static_cast<std::uint32_t>(samples.size());
    const std::uint32_t format = audioFormat | channels << 16, blockAlign = channels * bits / 8;
    const std::uint32_t words[] = {
        fourCc("RIFF"), 36 + size,         fourCc("WAVE"),          fourCc("fmt "), 16,  format,
        rate,           rate * blockAlign, blockAlign | bits << 16, fourCc("data"), size};
    Bytes image(44);
    for (std::size_t i = 0; i < std::size(words); ++i) {
        image = patched(std::move(image), 4 * i, words[i]);
    }
    image.insert(image.end(), samples.begin(), samples.end());
    return image;
}

// What the tests serve for a WAVE resource of the program: mono 16-bit samples whose count tells
// which resource it is; every one lasts under a quarter of a second.
inline int sampleCountOf(int waveId) {
    return 5000 + waveId;
}
inline Bytes testWave(int waveId) {
    return riffWave(1, 22050, 16, Bytes(2 * std::size_t(sampleCountOf(waveId))));
}
inline void serveTestWaves(FakeHost& host) {
    for (int id = 101; id <= 134; ++id) {
        host.putResource(platform::ResourceType::Wave, id, testWave(id));
    }
}

// An OpenAL Soft loopback device with a stereo float context: time passes only when a test
// renders. A SoundManager takes the device over and closes it.
struct LoopbackAudio {
    static constexpr int sampleRate = 44100;

    LoopbackAudio() {
        if (alcIsExtensionPresent(nullptr, "ALC_SOFT_loopback")) {
            device = reinterpret_cast<LPALCLOOPBACKOPENDEVICESOFT>(
                alcGetProcAddress(nullptr, "alcLoopbackOpenDeviceSOFT"))(nullptr);
        }
        const ALCint attributes[] = {
            ALC_FORMAT_CHANNELS_SOFT, ALC_STEREO_SOFT, // stereo floats
            ALC_FORMAT_TYPE_SOFT,     ALC_FLOAT_SOFT,  ALC_FREQUENCY, sampleRate, 0};
        context = device ? alcCreateContext(device, attributes) : nullptr;
    }
    // Mixes the next frames.
    void render(int frames) {
        std::vector<float> stereo(static_cast<std::size_t>(frames) * 2);
        reinterpret_cast<LPALCRENDERSAMPLESSOFT>(
            alcGetProcAddress(nullptr, "alcRenderSamplesSOFT"))(device, stereo.data(), frames);
    }

    ALCdevice* device = nullptr;
    ALCcontext* context = nullptr;
};

// A sound manager over a loopback device, with a host that serves the test waves, records the
// message boxes and carries what waiting threads hand over.
class ManagerFixture : public testing::Test {
  protected:
    void SetUp() override {
        serveTestWaves(host);
        ASSERT_NE(audio.context, nullptr);
        manager = std::make_unique<SoundManager>(host, audio.device, audio.context);
    }
    FakeHost host;
    LoopbackAudio audio;
    std::unique_ptr<SoundManager> manager;
};

} // namespace velmora::test
