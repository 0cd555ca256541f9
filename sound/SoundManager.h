#pragma once

#include "geometry/Vertex.h"
#include "platform/Host.h"
#include "sound/SoundWaiters.h"

#include <AL/al.h>
#include <AL/alc.h>

#include <array>
#include <map>
#include <mutex>
#include <optional>
#include <vector>

namespace velmora {

// One registered sound: its pool pair and whether it is one of the two ambient loops.
struct SoundEntry {
    ALuint buffer = 0;
    ALuint source = 0;
    int ambient = 0;

    bool operator==(const SoundEntry&) const = default;
};

// All sound goes through here: a fixed pool of OpenAL buffer/source pairs, handed out in
// registration order, and the sound keys that name them. Without an audio device every call is a
// quiet no-op, so the program runs silently instead of showing a box per sound.
class SoundManager {
  public:
    static constexpr int poolSize = 50;
    using Callback = SoundWaiters::Callback;

    // The program's manager over the default device. Whoever runs the program (ProgramLifetime)
    // calls create() before it starts a second thread and destroy() after it has joined every
    // thread, so that no thread ever sees it created or destroyed. instance() before create()
    // is a programming error: it stops the program with a message.
    static SoundManager& create(platform::Host& host);
    static SoundManager& instance();
    static void destroy();

    // Opens the default device. Sound errors are shown through the host.
    explicit SoundManager(platform::Host& host);
    // Takes over a device and its context (a loopback device, for instance); with no context the
    // manager is silent and the device, if any, is closed.
    SoundManager(platform::Host& host, ALCdevice* device, ALCcontext* context);
    ~SoundManager();

    SoundManager(const SoundManager&) = delete;
    SoundManager& operator=(const SoundManager&) = delete;

    bool hasAudio() const;

    void registerSound(int key, int waveId, bool relative);
    void play(int key);
    void playTogether(int firstKey, int secondKey);
    void setAmbientParameters(int key);
    void stopAll();
    bool isAnyPlaying() const;
    bool isPlaying(int key) const;
    void playThenCall(Callback function, int key);
    void setListenerPosition(const Vertex& camera);
    // Places a registered source at a point of the world.
    void placeSource(int key, ALint x, ALint y, ALint z);
    // Marks a registered sound as an ambient loop: it loops, and stopAll and isAnyPlaying pass it.
    void makeAmbientLoop(int key);
    // Stops the waiting threads, releases every registered pair and the device. The manager stays
    // and is silent from then on.
    void shutdownSound();

    std::optional<SoundEntry> entry(int key) const;
    int nextFree() const;
    const std::array<ALuint, poolSize>& bufferNames() const { return bufferNames_; }
    const std::array<ALuint, poolSize>& sourceNames() const { return sourceNames_; }

  private:
    struct Device {
        ALCdevice* device = nullptr;
        ALCcontext* context = nullptr;
    };

    SoundManager(platform::Host& host, Device device);
    static Device openDefaultDevice();

    std::optional<ALuint> sourceOf(int key) const;
    std::vector<ALuint> voiceSources() const;
    std::optional<int> takePair();
    void releaseDevice();

    platform::Host& host_;
    Device device_;
    std::array<ALuint, poolSize> bufferNames_{};
    std::array<ALuint, poolSize> sourceNames_{};

    mutable std::mutex mutex_; // guards the fields below; waiting threads read them
    bool active_ = false;
    std::map<int, SoundEntry> sounds_;
    int nextFree_ = 0;

    SoundWaiters waiters_;
};

} // namespace velmora
