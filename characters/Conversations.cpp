#include "characters/Conversations.h"

#include "platform/Host.h"

#include <cstdlib>

namespace velmora {

namespace {

// What each talking figure says, by dialogue kind: its greeting and the centurion's hint that
// sends the visitor to it.
struct Voice {
    std::int32_t kind;
    int greeting;
    int hint;
};
constexpr Voice kVoices[] = {{1, 5, 3}, {2, 11, 15}, {3, 7, 16}, {4, 19, 29}, {6, 26, 30}};

const Voice* voiceOf(std::int32_t kind) {
    for (const Voice& voice : kVoices) {
        if (voice.kind == kind) {
            return &voice;
        }
    }
    return nullptr;
}

struct Topic {
    const char* text;
    int answer;
};
struct Menu {
    int greeting;
    const char* heading;
    std::vector<Topic> topics;
};

// The menus by greeting key; the spellings are the program's own.
const std::vector<Menu>& menus() {
    static const std::vector<Menu> table{
        {5, "Ask the senator about...", {{"The Emperor", 6}, {"Consuls", 24}, {"The Senate", 25}}},
        {7, "Ask the guard about...", {{"The Colosseum", 8}, {"Vespasian", 9}, {"Games", 10}}},
        {11,
         "Ask the preistess about...",
         {{"Vesta", 12}, {"The Temple", 13}, {"The Sacred Fire", 14}}},
        {19, "Ask the plebian about...", {{"The Arch", 20}, {"A Triumph", 21}, {"Parthians", 22}}},
        {26, "Ask the woman about...", {{"Venus", 27}, {"Hadrian", 28}}}};
    return table;
}

// Where a figure stands, what it is, and what its zone does.
struct Placement {
    std::unique_ptr<GameObject> (*make)();
    Vertex position;
    std::int32_t kind;
    std::int32_t radius;
};

template <typename Figure> std::unique_ptr<GameObject> make() {
    return std::make_unique<Figure>();
}

constexpr int kTalkingRadius = 80;

} // namespace

Conversations::Conversations(InteractionFlags& flags, SoundManager& sound)
    : flags_(flags), sound_(sound) {}

Characters Conversations::createCharacters() {
    // The fire pot keeps its own kind and radius and has no callback.
    const Placement placements[] = {
        {make<Centurion>, {560, 0, -500}, 0, kTalkingRadius},
        {make<GenericPerson>, {2600, 0, -650}, 3, kTalkingRadius},
        {make<Senator>, {-325, 0, 389}, 1, kTalkingRadius},
        {make<Plebian>, {100, 0, -100}, 4, kTalkingRadius},
        {make<WomanWithFan>, {1400, 0, -900}, 2, kTalkingRadius},
        {make<FireInPot>, {1125, 0, -800}, -1, 0},
        {make<WomanWithScarf>, {2200, 60, -280}, 6, kTalkingRadius},
    };
    Characters characters;
    for (const Placement& placement : placements) {
        std::unique_ptr<GameObject> object = placement.make();
        object->position = placement.position;
        if (placement.kind >= 0) {
            object->dialogueKind = placement.kind;
            object->triggerRadius = placement.radius;
            object->interactionCallback = [this](std::int32_t kind) { onCharacterReached(kind); };
        }
        if (voiceOf(placement.kind) != nullptr) {
            characters.talkedTo[placement.kind] = 0;
        }
        characters.objects.push_back(std::move(object));
    }
    return characters;
}

void Conversations::adopt(Characters characters) {
    objects_ = std::move(characters.objects);
    talkedTo_ = std::move(characters.talkedTo);
}

void Conversations::update(const Vertex& camera) {
    for (const auto& object : objects_) {
        object->update(camera);
    }
}

std::vector<SceneFigure*> Conversations::figures() const {
    std::vector<SceneFigure*> figures;
    for (const auto& object : objects_) {
        figures.push_back(object.get());
    }
    return figures;
}

std::vector<Vertex> Conversations::figureViewPositions() const {
    std::vector<Vertex> positions;
    for (const auto& object : objects_) {
        positions.push_back(object->viewPosition);
    }
    return positions;
}

void Conversations::onCharacterReached(std::int32_t kind) {
    if (kind == 0) {
        giveHint();
        return;
    }
    const Voice* voice = voiceOf(kind);
    if (voice == nullptr) {
        return;
    }
    flags_.movementEnabled = 0;
    talkedTo_[kind] = 1;
    sound_.play(voice->greeting);
    // The waiting thread only hands the key over: the menu is built on the main thread, so the
    // main thread never draws or answers a half-built one.
    sound_.playThenCall(
        [this](int greeting) {
            platform::host().runOnMainThread([this, greeting] { openDialogueMenu(greeting); });
        },
        voice->greeting);
}

void Conversations::giveHint() {
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
    if (const Voice* voice = voiceOf(kind)) {
        sound_.play(voice->hint);
    }
}

void Conversations::openDialogueMenu(std::int32_t greetingKey) {
    for (const Menu& menu : menus()) {
        if (menu.greeting != greetingKey) {
            continue;
        }
        menuItems_.clear();
        menuHeading_ = menu.heading;
        for (const Topic& topic : menu.topics) {
            addMenuItem(topic.text, topic.answer);
        }
        flags_.menuOpen = 1;
        return;
    }
}

void Conversations::addMenuItem(const std::string& text, std::int32_t soundKey) {
    menuItems_.push_back({std::int32_t(menuItems_.size()) + 1, soundKey, text});
}

void Conversations::chooseMenuItem(std::int32_t n) {
    if (flags_.menuOpen == 0 || sound_.isAnyPlaying()) {
        return;
    }
    if (n < 1 || std::size_t(n - 1) >= menuItems_.size()) {
        return;
    }
    sound_.play(menuItems_[std::size_t(n - 1)].soundKey);
}

void Conversations::drawMenuOverlay(ColorBuffer& frame, const BitmapFont& font) const {
    font.drawText(frame, menuHeading_.c_str(), 330, 70);
    int y = 130;
    for (std::size_t i = 0; i < menuItems_.size(); ++i, y += 30) {
        const std::string line = std::to_string(i + 1) + " " + menuItems_[i].text;
        font.drawText(frame, line.c_str(), 350, y);
    }
    font.drawText(frame, "ESC DONE", 350, y);
}

void Conversations::escape() {
    flags_.movementEnabled = 1;
    flags_.menuOpen = 0;
    sound_.stopAll();
    checkFinale();
}

void Conversations::checkFinale() {
    if (!allConversationsDone()) {
        return;
    }
    if (flags_.finalePlayed == 0) {
        flags_.finaleShown = 1;
        flags_.finalePlayed = 1;
        sound_.play(kClosingSound);
    } else {
        flags_.finaleShown = 0;
    }
}

bool Conversations::allConversationsDone() const {
    for (const auto& [kind, talked] : talkedTo_) {
        if (talked == 0) {
            return false;
        }
    }
    return true;
}

void Conversations::markAllTalkedTo() {
    for (auto& [kind, talked] : talkedTo_) {
        talked = 1;
    }
}

} // namespace velmora
