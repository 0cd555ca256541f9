#include "sound/SoundManager.h"

#include "geometry/Truncate.h"
#include "sound/SoundError.h"
#include "sound/WaveResource.h"
#include "sound/WaveUpload.h"

#include <cstdlib>
#include <iostream>
#include <memory>
#include <utility>

namespace velmora {

namespace {

std::unique_ptr<SoundManager>& singleton() {
    static std::unique_ptr<SoundManager> manager;
    return manager;
}

} // namespace

SoundManager& SoundManager::create(platform::Host& host) {
    std::unique_ptr<SoundManager>& manager = singleton();
    if (!manager) {
        manager = std::make_unique<SoundManager>(host);
    }
    return *manager;
}

SoundManager& SoundManager::instance() {
    std::unique_ptr<SoundManager>& manager = singleton();
    if (!manager) {
        // A programming error, not a condition to recover from: nobody made the manager.
        std::cerr << "velmora: the sound manager is used before it was created" << std::endl;
        std::abort();
    }
    return *manager;
}

void SoundManager::destroy() {
    singleton().reset();
}

SoundManager::SoundManager(platform::Host& host) : SoundManager(host, openDefaultDevice()) {}

SoundManager::SoundManager(platform::Host& host, ALCdevice* device, ALCcontext* context)
    : SoundManager(host, Device{device, context}) {}

SoundManager::SoundManager(platform::Host& host, Device device)
    : host_(host), device_(device), waiters_([this](int key) { return isPlaying(key); }) {
    if (device_.context == nullptr) {
        if (device_.device != nullptr) {
            alcCloseDevice(device_.device);
        }
        device_ = {};
        std::cerr << "velmora: no audio device; running without sound" << std::endl;
        return;
    }
    alcMakeContextCurrent(device_.context);
    alGenBuffers(poolSize, bufferNames_.data());
    alGenSources(poolSize, sourceNames_.data());
    active_ = true;
}

SoundManager::~SoundManager() {
    shutdownSound();
}

SoundManager::Device SoundManager::openDefaultDevice() {
    Device opened;
    opened.device = alcOpenDevice(nullptr);
    if (opened.device != nullptr) {
        opened.context = alcCreateContext(opened.device, nullptr);
        if (opened.context == nullptr) {
            alcCloseDevice(opened.device);
            opened.device = nullptr;
        }
    }
    return opened;
}

bool SoundManager::hasAudio() const {
    std::lock_guard lock(mutex_);
    return active_;
}

void SoundManager::registerSound(int key, int waveId, bool relative) {
    {
        std::lock_guard lock(mutex_);
        if (!active_ || sounds_.contains(key)) {
            return;
        }
    }
    const std::optional<LoadedWave> wave = loadWaveResource(host_, waveId);
    if (!wave) {
        showSoundError(host_, "Unable to load sound resource");
        return;
    }
    const std::optional<int> pair = takePair();
    if (!pair) {
        showSoundError(host_, "Error load sounding. Need more buffers?");
        return;
    }
    const SoundEntry entry{bufferNames_[*pair], sourceNames_[*pair], 0};
    alSourcei(entry.source, AL_SOURCE_RELATIVE, AL_FALSE);
    uploadWave(host_, *wave, entry.buffer, entry.source);
    {
        std::lock_guard lock(mutex_);
        sounds_.emplace(key, entry);
    }
    if (relative) {
        alSourcei(entry.source, AL_SOURCE_RELATIVE, AL_TRUE);
    }
}

// The pool pair for the next registration, or nothing when all of them are taken.
std::optional<int> SoundManager::takePair() {
    std::lock_guard lock(mutex_);
    if (nextFree_ >= poolSize) {
        return std::nullopt;
    }
    return nextFree_++;
}

void SoundManager::play(int key) {
    if (!hasAudio()) {
        return;
    }
    const std::optional<ALuint> source = sourceOf(key);
    if (!source) {
        showSoundError(host_, "Sound resource is not in the sound map");
        return;
    }
    alGetError();
    alSourcePlay(*source);
    if (alGetError() != AL_NO_ERROR) {
        showSoundError(host_, "Unable to load sound resource");
    }
}

void SoundManager::playTogether(int firstKey, int secondKey) {
    if (!hasAudio()) {
        return;
    }
    // An unregistered key stands for source 0, which OpenAL refuses, so neither starts.
    const ALuint sources[2] = {sourceOf(firstKey).value_or(0), sourceOf(secondKey).value_or(0)};
    alSourcePlayv(2, sources);
}

void SoundManager::setAmbientParameters(int key) {
    const std::optional<ALuint> source = sourceOf(key);
    if (!source) {
        return;
    }
    alDistanceModel(AL_INVERSE_DISTANCE);
    alSourcei(*source, AL_MIN_GAIN, 0);
    alSourcef(*source, AL_MAX_GAIN, 0.75f);
    alSourcef(*source, AL_ROLLOFF_FACTOR, 60.0f);
    alSourcei(*source, AL_REFERENCE_DISTANCE, 300);
}

void SoundManager::stopAll() {
    for (const ALuint source : voiceSources()) {
        alSourceStop(source);
    }
}

bool SoundManager::isAnyPlaying() const {
    for (const ALuint source : voiceSources()) {
        ALint state = 0;
        alGetSourcei(source, AL_SOURCE_STATE, &state);
        if (state == AL_PLAYING) {
            return true;
        }
    }
    return false;
}

bool SoundManager::isPlaying(int key) const {
    const std::optional<ALuint> source = sourceOf(key);
    if (!source) {
        return false;
    }
    ALint state = 0;
    alGetSourcei(*source, AL_SOURCE_STATE, &state);
    return state == AL_PLAYING;
}

void SoundManager::playThenCall(Callback function, int key) {
    waiters_.start(function, key);
}

void SoundManager::setListenerPosition(const Vertex& camera) {
    if (!hasAudio()) {
        return;
    }
    const ALint position[3] = {truncateToInt(camera.x), 0, truncateToInt(camera.z)};
    alGetError();
    alListeneriv(AL_POSITION, position);
}

void SoundManager::placeSource(int key, ALint x, ALint y, ALint z) {
    const std::optional<ALuint> source = sourceOf(key);
    if (!source) {
        return;
    }
    const ALint position[3] = {x, y, z};
    alGetError();
    alSourceiv(*source, AL_POSITION, position);
    alGetError();
}

void SoundManager::makeAmbientLoop(int key) {
    std::optional<ALuint> source;
    {
        std::lock_guard lock(mutex_);
        const auto found = sounds_.find(key);
        if (!active_ || found == sounds_.end()) {
            return;
        }
        found->second.ambient = 1;
        source = found->second.source;
    }
    alSourcei(*source, AL_LOOPING, AL_TRUE);
}

void SoundManager::shutdownSound() {
    // The waiters go first, and for good: one still waiting would take the silence of a closed
    // device for the end of its sound, and a playThenCall racing with the shutdown starts none.
    waiters_.close();
    std::map<int, SoundEntry> registered;
    bool wasActive = false;
    {
        std::lock_guard lock(mutex_);
        wasActive = std::exchange(active_, false);
        registered = sounds_;
    }
    if (!wasActive) {
        return;
    }
    for (const auto& [key, entry] : registered) {
        alSourceStop(entry.source);
        alDeleteSources(1, &entry.source);
        alDeleteBuffers(1, &entry.buffer);
    }
    releaseDevice();
}

void SoundManager::releaseDevice() {
    if (alcGetCurrentContext() == device_.context) {
        alcMakeContextCurrent(nullptr);
    }
    alcDestroyContext(device_.context);
    alcCloseDevice(device_.device);
    device_ = {};
}

std::optional<SoundEntry> SoundManager::entry(int key) const {
    std::lock_guard lock(mutex_);
    const auto found = sounds_.find(key);
    if (found == sounds_.end()) {
        return std::nullopt;
    }
    return found->second;
}

int SoundManager::nextFree() const {
    std::lock_guard lock(mutex_);
    return nextFree_;
}

// The source of a registered key while there is audio; nothing otherwise.
std::optional<ALuint> SoundManager::sourceOf(int key) const {
    std::lock_guard lock(mutex_);
    const auto found = sounds_.find(key);
    if (!active_ || found == sounds_.end()) {
        return std::nullopt;
    }
    return found->second.source;
}

// The sources of every registered sound that is not an ambient loop, in ascending key order.
std::vector<ALuint> SoundManager::voiceSources() const {
    std::lock_guard lock(mutex_);
    std::vector<ALuint> sources;
    if (!active_) {
        return sources;
    }
    for (const auto& [key, entry] : sounds_) {
        if (entry.ambient == 0) {
            sources.push_back(entry.source);
        }
    }
    return sources;
}

} // namespace velmora
