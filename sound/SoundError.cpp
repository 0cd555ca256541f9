#include "sound/SoundError.h"

#include "platform/Host.h"

namespace velmora {

void showSoundError(platform::Host& host, const std::string& text) {
    host.showMessage(text, "Error", platform::MessageIcon::Warning);
}

} // namespace velmora
