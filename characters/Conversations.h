#pragma once

#include "characters/GameObject.h"
#include "render/BitmapFont.h"
#include "render/ColorBuffer.h"
#include "sound/SoundManager.h"

#include <atomic>
#include <cstdint>
#include <map>
#include <memory>
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

// The figures once they stand in the square, and who has been talked to (by dialogue kind).
struct Characters {
    std::vector<std::unique_ptr<GameObject>> objects;
    std::map<std::int32_t, std::int32_t> talkedTo;
};

// The square's people and what they say: reaching a figure starts its greeting, then a waiting
// thread hands its dialogue menu to the main thread; digits play answers; Esc closes the menu
// and, once everyone has been talked to, shows the closing panel once with its sound. Main
// thread only, except where said.
class Conversations {
  public:
    static constexpr int kClosingSound = 23;

    // The sound manager must stop its waiting threads (shutdownSound) before this object goes:
    // a waiting conversation refers to it.
    Conversations(InteractionFlags& flags, SoundManager& sound);

    // The seven figures at their places, in drawing order, with their zones wired to
    // onCharacterReached. May run on the loading thread; nothing of this object is touched.
    Characters createCharacters();
    // Takes the figures over, on the main thread.
    void adopt(Characters characters);

    // One timer tick of every figure, in order.
    void update(const Vertex& camera);
    std::vector<SceneFigure*> figures() const;
    std::vector<Vertex> figureViewPositions() const;

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

    const std::map<std::int32_t, std::int32_t>& talkedTo() const { return talkedTo_; }
    const std::string& menuHeading() const { return menuHeading_; }
    const std::vector<MenuItem>& menuItems() const { return menuItems_; }

  private:
    InteractionFlags& flags_;
    SoundManager& sound_;
    std::vector<std::unique_ptr<GameObject>> objects_;
    std::map<std::int32_t, std::int32_t> talkedTo_;
    std::string menuHeading_;
    std::vector<MenuItem> menuItems_;
};

} // namespace velmora
