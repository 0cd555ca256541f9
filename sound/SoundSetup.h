#pragma once

#include "geometry/Vertex.h"
#include "sound/SoundManager.h"

namespace velmora {

// The load step "initializing sound...": places the listener, registers every sound, places the
// two ambient loops and starts them together.
void setupSounds(SoundManager& manager, const Vertex& listener);
void setupSounds(const Vertex& listener);

} // namespace velmora
