#include "characters/Captions.h"

#include "content/Sounds.h"

namespace velmora {

void Captions::onSoundStarted(int soundKey, CaptionClock::time_point now) {
    const int waveId = content::waveOfSound(soundKey);
    if (!lines_.textOf(waveId).empty()) {
        waveId_ = waveId;
        start_ = now;
    }
}

std::optional<CaptionText> Captions::at(CaptionClock::time_point now) const {
    if (waveId_ == 0 || now < start_) {
        return std::nullopt;
    }
    const auto length = lines_.lengthOf(waveId_);
    const auto passed = now - start_;
    if (passed >= length) {
        return std::nullopt;
    }
    return CaptionText{lines_.textOf(waveId_), std::chrono::duration<double>(passed) /
                                                   std::chrono::duration<double>(length)};
}

} // namespace velmora
