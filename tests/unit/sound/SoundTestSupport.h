#pragma once

#include "FakeHost.h"
#include "sound/SoundManager.h"

#include <AL/alext.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
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

inline void appendWords(Bytes& bytes, std::initializer_list<std::uint32_t> words) {
    for (const std::uint32_t word : words) {
        for (int i = 0; i < 4; ++i) {
            bytes.push_back(static_cast<std::uint8_t>(word >> (8 * i)));
        }
    }
}

inline void appendChunk(Bytes& bytes, const char (&id)[5], const Bytes& body) {
    appendWords(bytes, {fourCc(id), static_cast<std::uint32_t>(body.size())});
    bytes.insert(bytes.end(), body.begin(), body.end());
}

// The 16-byte "fmt " body of PCM (audio format 1) or of another encoding.
inline Bytes fmtBody(std::uint32_t channels, std::uint32_t rate, std::uint32_t bits,
                     std::uint32_t audioFormat = 1) {
    Bytes body;
    appendWords(body, {audioFormat | channels << 16, rate, rate * channels * bits / 8,
                       channels * bits / 8 | bits << 16});
    return body;
}

// A RIFF/WAVE image: a "fmt " chunk with this body, the chunks in between, then the samples.
inline Bytes riffWave(const Bytes& fmt, const Bytes& samples, const Bytes& between = {}) {
    Bytes chunks;
    appendWords(chunks, {fourCc("WAVE")});
    appendChunk(chunks, "fmt ", fmt);
    chunks.insert(chunks.end(), between.begin(), between.end());
    appendChunk(chunks, "data", samples);
    Bytes image;
    appendChunk(image, "RIFF", chunks);
    return image;
}

// The image with a word written over it at offset.
inline Bytes patched(Bytes image, std::size_t offset, std::uint32_t word) {
    for (std::size_t i = 0; i < 4; ++i) {
        image.at(offset + i) = static_cast<std::uint8_t>(word >> (8 * i));
    }
    return image;
}

// What the tests serve for a WAVE resource of the program: mono 16-bit samples whose count tells
// which resource it is; every one lasts under a quarter of a second.
inline int sampleCountOf(int waveId) {
    return 5000 + waveId;
}
inline Bytes testWave(int waveId) {
    return riffWave(fmtBody(1, 22050, 16), Bytes(2 * std::size_t(sampleCountOf(waveId))));
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
        const ALCint attributes[] = {ALC_FORMAT_CHANNELS_SOFT,
                                     ALC_STEREO_SOFT,
                                     ALC_FORMAT_TYPE_SOFT,
                                     ALC_FLOAT_SOFT,
                                     ALC_FREQUENCY,
                                     sampleRate,
                                     0};
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

    static ALint bufferInt(ALuint buffer, ALenum parameter) {
        ALint value = -1;
        alGetBufferi(buffer, parameter, &value);
        return value;
    }
    ALuint source(int key) const { return manager->entry(key).value().source; }
    ALint sourceInt(int key, ALenum parameter) const {
        ALint value = -1;
        alGetSourcei(source(key), parameter, &value);
        return value;
    }
    float sourceFloat(int key, ALenum parameter) const {
        float value = -1.0f;
        alGetSourcef(source(key), parameter, &value);
        return value;
    }

    FakeHost host;
    LoopbackAudio audio;
    std::unique_ptr<SoundManager> manager;
};

} // namespace velmora::test
