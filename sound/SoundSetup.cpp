#include "sound/SoundSetup.h"

namespace velmora {

namespace {

// Registration order decides which pool pair each key gets.
constexpr SoundRegistration registrations[] = {
    {5, 109, true},  {1, 102, true},  {2, 101, false}, {3, 103, true},  {4, 106, true},
    {6, 108, true},  {7, 107, true},  {10, 112, true}, {8, 113, true},  {9, 111, true},
    {11, 115, true}, {12, 116, true}, {13, 117, true}, {14, 118, true}, {15, 119, true},
    {16, 120, true}, {17, 121, true}, {29, 133, true}, {30, 134, true}, {18, 122, false},
    {19, 127, true}, {20, 128, true}, {21, 129, true}, {22, 130, true}, {23, 124, true},
    {24, 125, true}, {25, 126, true}, {26, 123, true}, {27, 131, true}, {28, 132, true},
};

constexpr AmbientPlace places[] = {
    {2, 1025, 0, -800},
    {18, 2900, 0, -500},
};

} // namespace

void setupSounds(SoundManager& manager, const Vertex& listener) {
    manager.setListenerPosition(listener);
    for (const SoundRegistration& sound : registrations) {
        manager.registerSound(sound.key, sound.waveId, sound.relative);
    }
    for (const AmbientPlace& place : places) {
        manager.placeSource(place.key, place.x, place.y, place.z);
    }
    for (const AmbientPlace& place : places) {
        manager.makeAmbientLoop(place.key);
    }
    for (const AmbientPlace& place : places) {
        manager.setAmbientParameters(place.key);
    }
    manager.playTogether(places[0].key, places[1].key);
}

void setupSounds(const Vertex& listener) {
    setupSounds(SoundManager::instance(), listener);
}

} // namespace velmora
