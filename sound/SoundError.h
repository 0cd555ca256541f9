#pragma once

#include <string>

namespace velmora {

// Shows a sound problem as a warning box without an owner window, captioned "Error". The program
// goes on without the sound.
void showSoundError(const std::string& text);

} // namespace velmora
