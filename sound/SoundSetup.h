#pragma once

#include "geometry/Vertex.h"
#include "sound/SoundManager.h"

namespace velmora {

// One of the program's sounds: its key, its WAVE resource and whether it follows the listener.
struct SoundRegistration {
    int key;
    int waveId;
    bool relative;
};

// The ambient loops and where in the square they are heard from.
struct AmbientPlace {
    int key;
    ALint x;
    ALint y;
    ALint z;
};

// The load step "initializing sound...": places the listener, registers every sound, places the
// two ambient loops and starts them together.
void setupSounds(SoundManager& manager, const Vertex& listener);
void setupSounds(const Vertex& listener);

} // namespace velmora
