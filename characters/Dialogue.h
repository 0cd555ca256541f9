#pragma once

#include "characters/Captions.h"
#include "render/BitmapFont.h"
#include "render/ColorBuffer.h"
#include "platform/Host.h"
#include "sound/SoundManager.h"

#include <atomic>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace velmora {

// The flags that conversations and walking share with the rest of the program.
struct InteractionFlags {
    std::atomic<int> movementEnabled{0};
    std::atomic<int> menuOpen{0};
    std::atomic<int> finaleShown{0};
    std::atomic<int> finalePlayed{0};
};

struct MenuItem {
    std::int32_t number = 0; // 1-based place in the menu
    std::int32_t soundKey = 0;
    std::string text;
};

// What the square's people say: reaching a figure starts its greeting, then a waiting thread
// hands its dialogue menu to the main thread; digits play answers; Esc closes the menu and,
// once everyone has been talked to, shows the closing panel once with its sound. Main thread
// only, except where said.
class Dialogue {
  public:
    // The sound manager must stop its waiting threads (shutdownSound) before this object goes:
    // a waiting conversation refers to it. Everyone who talks is still to be talked to. Menus
    // are handed to the host's main thread; the voices' texts come from the host.
    Dialogue(InteractionFlags& flags, SoundManager& sound, platform::Host& host);

    // A figure's zone was entered: the centurion gives a hint; a talking figure stops the
    // visitor, counts as talked to and greets; its menu opens once the greeting has ended.
    void onCharacterReached(std::int32_t kind);
    // The centurion names, at random, someone not yet talked to; nothing once all have been.
    void giveHint();
    // The menu of the figure whose greeting key this is; an unknown key changes nothing.
    void openDialogueMenu(std::int32_t greetingKey);
    void addMenuItem(const std::string& text, std::int32_t soundKey);
    // Plays the answer of item n, unless no menu is open, a sound plays, or there is no item n.
    void chooseMenuItem(std::int32_t n);
    // The open menu's texts over the dialogue panel.
    void drawMenuOverlay(ColorBuffer& frame, const BitmapFont& font) const;
    // Esc: walking again, the menu closed, the voices stopped, then the closing-panel step.
    void escape();
    // Shows the closing panel with its sound the first time everyone has been talked to, hides
    // it the next time.
    void checkFinale();
    bool allConversationsDone() const;
    // Key I: everyone counts as talked to.
    void markAllTalkedTo();

    // Who has been talked to (1) or not (0), by dialogue kind.
    const std::map<std::int32_t, std::int32_t>& talkedTo() const { return talkedTo_; }
    void setTalkedTo(std::map<std::int32_t, std::int32_t> talkedTo) { talkedTo_ = std::move(talkedTo); }
    const std::string& menuHeading() const { return menuHeading_; }
    const std::vector<MenuItem>& menuItems() const { return menuItems_; }
    // The caption of the voice being heard.
    const Captions& captions() const { return captions_; }

  private:
    // Plays a voice and starts its caption.
    void speak(int soundKey);

    InteractionFlags& flags_;
    SoundManager& sound_;
    platform::Host& host_;
    std::map<std::int32_t, std::int32_t> talkedTo_;
    std::string menuHeading_;
    std::vector<MenuItem> menuItems_;
    Captions captions_;
};

} // namespace velmora
