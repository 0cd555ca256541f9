#include "content/Figures.h"

namespace velmora::content {

namespace {

// Talking figures stop the visitor this far away, in x and in z.
constexpr int kTalkingRadius = 80;

// The menus keep the program's own spellings ("preistess", "plebian").
const std::vector<Figure>& table() {
    static const std::vector<Figure> rows{
        {.name = "centurion", .look = {4, 1, 133, 236, -1}, .position = {560, 0, -500},
         .dialogueKind = kCenturionKind, .triggerRadius = kTalkingRadius},
        {.name = "guard", .look = {19, 1, 194, 422, -1}, .position = {2600, 0, -650},
         .dialogueKind = 3, .triggerRadius = kTalkingRadius, .greetingSound = 7, .hintSound = 16,
         .menuHeading = "Ask the guard about...",
         .topics = {{"The Colosseum", 8}, {"Vespasian", 9}, {"Games", 10}}},
        {.name = "senator", .look = {6, 1, 139, 221, -1}, .position = {-325, 0, 389},
         .dialogueKind = 1, .triggerRadius = kTalkingRadius, .greetingSound = 5, .hintSound = 3,
         .menuHeading = "Ask the senator about...",
         .topics = {{"The Emperor", 6}, {"Consuls", 24}, {"The Senate", 25}}},
        {.name = "plebeian", .look = {17, 1, 280, 606, -1}, .position = {100, 0, -100},
         .dialogueKind = 4, .triggerRadius = kTalkingRadius, .greetingSound = 19, .hintSound = 29,
         .menuHeading = "Ask the plebian about...",
         .topics = {{"The Arch", 20}, {"A Triumph", 21}, {"Parthians", 22}}},
        {.name = "priestess", .look = {5, 1, 125, 211, -1}, .position = {1400, 0, -900},
         .dialogueKind = 2, .triggerRadius = kTalkingRadius, .greetingSound = 11, .hintSound = 15,
         .menuHeading = "Ask the preistess about...",
         .topics = {{"Vesta", 12}, {"The Temple", 13}, {"The Sacred Fire", 14}}},
        {.name = "fire", .look = {7, 3, 160, 120, 1, 80, 60}, .position = {1125, 0, -800}},
        {.name = "woman", .look = {18, 1, 184, 377, -1}, .position = {2200, 60, -280},
         .dialogueKind = 6, .triggerRadius = kTalkingRadius, .greetingSound = 26, .hintSound = 30,
         .menuHeading = "Ask the woman about...", .topics = {{"Venus", 27}, {"Hadrian", 28}}},
    };
    return rows;
}

template <typename Match> const Figure* talkerWhere(Match match) {
    for (const Figure& figure : table()) {
        if (figure.greetingSound != 0 && match(figure)) {
            return &figure;
        }
    }
    return nullptr;
}

} // namespace

std::span<const Figure> figures() {
    return table();
}

const Figure* talkerOfKind(int kind) {
    return talkerWhere([kind](const Figure& figure) { return figure.dialogueKind == kind; });
}

const Figure* talkerOfGreeting(int greetingSound) {
    return talkerWhere(
        [greetingSound](const Figure& figure) { return figure.greetingSound == greetingSound; });
}

} // namespace velmora::content
