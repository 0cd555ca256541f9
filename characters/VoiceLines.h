#pragma once

#include "platform/Host.h"

#include <chrono>
#include <map>
#include <string>
#include <string_view>

namespace velmora {

// What each voice says and how long it lasts: the text from the same table the voices are made
// from (WAVE number, name, speaker, text; tab-separated, # starts a comment), the length from
// the voice's wave.
class VoiceLines {
  public:
    VoiceLines() = default;
    // Reads the table; lines that do not have a number and four fields are passed over.
    explicit VoiceLines(std::string_view table);
    // The host's voice table and the lengths of its voices.
    static VoiceLines load(const platform::Host& host);

    // The spoken text of a WAVE resource; empty when it has none.
    std::string_view textOf(int waveId) const;
    // How long the voice plays; zero when its wave is unknown or unreadable.
    std::chrono::milliseconds lengthOf(int waveId) const;
    const std::map<int, std::string>& texts() const { return texts_; }

  private:
    std::map<int, std::string> texts_;
    std::map<int, std::chrono::milliseconds> lengths_;
};

} // namespace velmora
