#include "sound/SoundError.h"

#include "platform/Host.h"

namespace velmora {

void showSoundError(const std::string& text) {
    platform::host().showMessage(text, "Error", platform::MessageIcon::Warning);
}

} // namespace velmora
