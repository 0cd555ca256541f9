#include "characters/Dialogue.h"

#include "content/Figures.h"
#include "content/Sounds.h"

#include <cstdlib>

namespace velmora {

Dialogue::Dialogue(InteractionFlags& flags, SoundManager& sound, platform::Host& host)
    : flags_(flags), sound_(sound), host_(host), captions_(VoiceLines::load(host)) {
    for (const content::Figure& figure : content::figures()) {
        if (figure.greetingSound != 0) {
            talkedTo_[figure.dialogueKind] = 0;
        }
    }
}

void Dialogue::onCharacterReached(std::int32_t kind) {
    if (kind == content::kCenturionKind) {
        giveHint();
        return;
    }
    const content::Figure* talker = content::talkerOfKind(kind);
    if (talker == nullptr) {
        return;
    }
    flags_.movementEnabled = 0;
    talkedTo_[kind] = 1;
    speak(talker->greetingSound);
    // The waiting thread only hands the key over: the menu is built on the main thread, so the
    // main thread never draws or answers a half-built one.
    sound_.playThenCall(
        [this](int greeting) {
            host_.runOnMainThread([this, greeting] { openDialogueMenu(greeting); });
        },
        talker->greetingSound);
}

void Dialogue::giveHint() {
    std::vector<std::int32_t> waiting;
    for (const auto& [kind, talked] : talkedTo_) {
        if (talked == 0) {
            waiting.push_back(kind);
        }
    }
    if (waiting.empty()) {
        return;
    }
    const std::int32_t kind = waiting[std::size_t(std::rand()) % waiting.size()];
    if (const content::Figure* talker = content::talkerOfKind(kind)) {
        speak(talker->hintSound);
    }
}

void Dialogue::openDialogueMenu(std::int32_t greetingKey) {
    const content::Figure* talker = content::talkerOfGreeting(greetingKey);
    if (talker == nullptr) {
        return;
    }
    menuItems_.clear();
    menuHeading_ = talker->menuHeading;
    for (const content::Topic& topic : talker->topics) {
        addMenuItem(std::string(topic.text), topic.answerSound);
    }
    flags_.menuOpen = 1;
}

void Dialogue::addMenuItem(const std::string& text, std::int32_t soundKey) {
    menuItems_.push_back({std::int32_t(menuItems_.size()) + 1, soundKey, text});
}

void Dialogue::chooseMenuItem(std::int32_t n) {
    if (flags_.menuOpen == 0 || sound_.isAnyPlaying()) {
        return;
    }
    if (n < 1 || std::size_t(n - 1) >= menuItems_.size()) {
        return;
    }
    speak(menuItems_[std::size_t(n - 1)].soundKey);
}

void Dialogue::drawMenuOverlay(ColorBuffer& frame, const BitmapFont& font) const {
    font.drawText(frame, menuHeading_.c_str(), 330, 70);
    int y = 130;
    for (std::size_t i = 0; i < menuItems_.size(); ++i, y += 30) {
        const std::string line = std::to_string(i + 1) + " " + menuItems_[i].text;
        font.drawText(frame, line.c_str(), 350, y);
    }
    font.drawText(frame, "ESC DONE", 350, y);
}

void Dialogue::escape() {
    flags_.movementEnabled = 1;
    flags_.menuOpen = 0;
    sound_.stopAll();
    captions_.stop();
    checkFinale();
}

void Dialogue::checkFinale() {
    if (!allConversationsDone()) {
        return;
    }
    if (flags_.finalePlayed == 0) {
        flags_.finaleShown = 1;
        flags_.finalePlayed = 1;
        speak(content::kClosingSound);
    } else {
        flags_.finaleShown = 0;
    }
}

void Dialogue::speak(int soundKey) {
    sound_.play(soundKey);
    captions_.onSoundStarted(soundKey, CaptionClock::now());
}

bool Dialogue::allConversationsDone() const {
    for (const auto& [kind, talked] : talkedTo_) {
        if (talked == 0) {
            return false;
        }
    }
    return true;
}

void Dialogue::markAllTalkedTo() {
    for (auto& [kind, talked] : talkedTo_) {
        talked = 1;
    }
}

} // namespace velmora
