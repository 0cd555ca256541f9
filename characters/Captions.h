#pragma once

#include "characters/VoiceLines.h"
#include "render/CaptionPages.h"

#include <chrono>
#include <optional>

namespace velmora {

using CaptionClock = std::chrono::steady_clock;

// The caption of the voice being heard: it starts with the voice, lasts as long as the voice's
// wave and goes when the voices are cut off. Main thread only.
class Captions {
  public:
    explicit Captions(VoiceLines lines) : lines_(std::move(lines)) {}

    // A sound began: a voice with text starts its caption in place of any other; other sounds
    // (footsteps, loops, the jingle) leave the caption as it is.
    void onSoundStarted(int soundKey, CaptionClock::time_point now);
    // The voices were stopped.
    void stop() { waveId_ = 0; }
    // The caption being said at now; nothing before it or once its voice has ended.
    std::optional<CaptionText> at(CaptionClock::time_point now) const;

    const VoiceLines& lines() const { return lines_; }

  private:
    VoiceLines lines_;
    int waveId_ = 0;
    CaptionClock::time_point start_;
};

} // namespace velmora
