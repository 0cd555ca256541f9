#pragma once

#include "platform/Host.h"

#include <string>

namespace velmora {

// Shows a sound problem as a warning box without an owner window, captioned "Error". The program
// goes on without the sound.
void showSoundError(platform::Host& host, const std::string& text);

} // namespace velmora
