#pragma once

#include "FakeHost.h"
#include "sound/SoundManager.h"

#include <AL/alext.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <numbers>
#include <string>
#include <utility>
#include <vector>

namespace velmora::test {

using Bytes = std::vector<std::uint8_t>;
using Texts = std::vector<std::string>;

// Four characters as the word they form in an image.
constexpr std::uint32_t fourCc(const char (&id)[5]) {
    return std::uint32_t(id[0] | id[1] << 8 | id[2] << 16) | std::uint32_t(id[3]) << 24;
}

inline void append(Bytes& bytes, std::uint32_t value, int byteCount = 4) {
    for (int i = 0; i < byteCount; ++i) {
        bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
}

inline void appendChunk(Bytes& bytes, const char (&id)[5], const Bytes& body) {
    append(bytes, fourCc(id));
    append(bytes, static_cast<std::uint32_t>(body.size()));
    bytes.insert(bytes.end(), body.begin(), body.end());
}

// The 16-byte "fmt " body of PCM (audio format 1) or of another encoding.
inline Bytes fmtBody(std::uint32_t channels, std::uint32_t sampleRate, std::uint32_t bits,
                     std::uint32_t audioFormat = 1) {
    Bytes body;
    append(body, audioFormat | channels << 16);
    append(body, sampleRate);
    append(body, sampleRate * channels * bits / 8);
    append(body, channels * bits / 8 | bits << 16); // block align, bits per sample
    return body;
}

// A RIFF/WAVE image: a "fmt " chunk with this body, the chunks in between, then the samples.
inline Bytes riffWave(const Bytes& fmt, const Bytes& samples, const Bytes& between = {}) {
    Bytes chunks;
    append(chunks, fourCc("WAVE"));
    appendChunk(chunks, "fmt ", fmt);
    chunks.insert(chunks.end(), between.begin(), between.end());
    appendChunk(chunks, "data", samples);
    Bytes image;
    appendChunk(image, "RIFF", chunks);
    return image;
}

// A mono 16-bit PCM image of a sine at half of full scale.
inline Bytes sineWave(int frequencyHz, int sampleCount, int sampleRate = 22050) {
    Bytes samples;
    for (int i = 0; i < sampleCount; ++i) {
        const double phase = 2.0 * std::numbers::pi * frequencyHz * i / sampleRate;
        append(samples, static_cast<std::uint32_t>(std::lround(16383.0 * std::sin(phase))), 2);
    }
    return riffWave(fmtBody(1, sampleRate, 16), samples);
}

// The image with a word written over it at offset.
inline Bytes patched(Bytes image, std::size_t offset, std::uint32_t word) {
    for (std::size_t i = 0; i < 4; ++i) {
        image.at(offset + i) = static_cast<std::uint8_t>(word >> (8 * i));
    }
    return image;
}

// What the tests serve for a WAVE resource of the program: a tone whose pitch and length tell
// which resource it is.
constexpr auto toneOf = [](int waveId) { return 200 + 20 * (waveId - 101); };
constexpr auto sampleCountOf = [](int waveId) { return 5000 + waveId; };

// The test image of a program WAVE resource.
inline Bytes testWave(int waveId) {
    return sineWave(toneOf(waveId), sampleCountOf(waveId));
}

// Serves a test image for every WAVE resource the program has.
inline void serveTestWaves(FakeHost& host) {
    for (int id = 101; id <= 134; ++id) {
        host.putResource(platform::ResourceType::Wave, id, testWave(id));
    }
}

// The texts of the message boxes shown since the last call; every sound error is a warning
// captioned "Error".
inline Texts takeSoundErrors(FakeHost& host) {
    Texts texts;
    for (const FakeHost::Message& message : host.takeMessages()) {
        EXPECT_EQ(message.caption, "Error") << message.text;
        EXPECT_EQ(message.icon, platform::MessageIcon::Warning) << message.text;
        texts.push_back(message.text);
    }
    return texts;
}

template <typename Function> Function alcExtension(const char* name) {
    return reinterpret_cast<Function>(alcGetProcAddress(nullptr, name));
}

// An OpenAL Soft loopback device with a stereo float context: time passes only when a test
// renders. A SoundManager takes the device over and closes it.
struct LoopbackAudio {
    static constexpr int sampleRate = 44100;

    LoopbackAudio() {
        if (alcIsExtensionPresent(nullptr, "ALC_SOFT_loopback")) {
            device =
                alcExtension<LPALCLOOPBACKOPENDEVICESOFT>("alcLoopbackOpenDeviceSOFT")(nullptr);
        }
        const ALCint attributes[] = {
            ALC_FORMAT_CHANNELS_SOFT, ALC_STEREO_SOFT, // stereo floats
            ALC_FORMAT_TYPE_SOFT,     ALC_FLOAT_SOFT,  ALC_FREQUENCY, sampleRate, 0};
        context = device ? alcCreateContext(device, attributes) : nullptr;
    }

    // Mixes the next frames as interleaved left/right samples.
    std::vector<float> render(int frames) {
        static const auto renderSamples =
            alcExtension<LPALCRENDERSAMPLESSOFT>("alcRenderSamplesSOFT");
        std::vector<float> stereo(static_cast<std::size_t>(frames) * 2);
        renderSamples(device, stereo.data(), frames);
        return stereo;
    }

    ALCdevice* device = nullptr;
    ALCcontext* context = nullptr;
};

// A sound manager over a loopback device, with a host that records its message boxes.
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
    ALint bufferSize(int key) const {
        return bufferInt(manager->entry(key).value().buffer, AL_SIZE);
    }
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
    bool playing(int key) const { return sourceInt(key, AL_SOURCE_STATE) == AL_PLAYING; }

    FakeHost host;
    LoopbackAudio audio;
    std::unique_ptr<SoundManager> manager;
};

} // namespace velmora::test
