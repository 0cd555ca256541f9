#include "characters/Dialogue.h"
#include "RenderTestSupport.h"
#include "SoundTestSupport.h"
#include "characters/Cast.h"
#include "sound/SoundSetup.h"

#include <gtest/gtest.h>

#include <chrono>
#include <map>
#include <string>
#include <tuple>
#include <vector>

namespace velmora {
namespace {

using TalkedTo = std::map<std::int32_t, std::int32_t>;
using Keys = std::vector<int>;

const TalkedTo everyone{{1, 1}, {2, 1}, {3, 1}, {4, 1}, {6, 1}};

// The program's sounds over a loopback device, where a sound plays until the test renders past
// its end (every test sound lasts under a quarter of a second).
class DialogueTest : public test::ManagerFixture {
  protected:
    void SetUp() override {
        ManagerFixture::SetUp();
        setupSounds(*manager, {});
        dialogue = std::make_unique<Dialogue>(flags, *manager, host);
    }
    // The waiting threads refer to the conversations: they go first.
    void TearDown() override { manager->shutdownSound(); }

    // The voices playing now, the two ambient loops aside.
    Keys playing() const {
        Keys keys;
        for (int key = 1; key <= 30; ++key) {
            if (key != 2 && key != 18 && manager->isPlaying(key)) {
                keys.push_back(key);
            }
        }
        return keys;
    }
    void letSoundsEnd() { audio.render(test::LoopbackAudio::sampleRate); }
    // The open menu in one line: its heading, then each item's number, text and answer.
    std::string menu() const {
        std::string text = dialogue->menuHeading();
        for (const MenuItem& item : dialogue->menuItems()) {
            text += " | " + std::to_string(item.number) + " " + item.text + " " +
                    std::to_string(item.soundKey);
        }
        return text;
    }

    InteractionFlags flags;
    std::unique_ptr<Dialogue> dialogue;
};

TEST_F(DialogueTest, EachGreetingOpensItsMenuAndUnknownKeysChangeNothing) {
    EXPECT_EQ(dialogue->talkedTo(), (TalkedTo{{1, 0}, {2, 0}, {3, 0}, {4, 0}, {6, 0}}));
    const std::pair<int, const char*> menus[] = {
        {5, "Ask the senator about... | 1 The Emperor 6 | 2 Consuls 24 | 3 The Senate 25"},
        {7, "Ask the guard about... | 1 The Colosseum 8 | 2 Vespasian 9 | 3 Games 10"},
        {11, "Ask the preistess about... | 1 Vesta 12 | 2 The Temple 13 | 3 The Sacred Fire 14"},
        {19, "Ask the plebian about... | 1 The Arch 20 | 2 A Triumph 21 | 3 Parthians 22"},
        {26, "Ask the woman about... | 1 Venus 27 | 2 Hadrian 28"},
    };
    for (const auto& [greeting, text] : menus) {
        flags.menuOpen = 0;
        dialogue->openDialogueMenu(greeting);
        EXPECT_EQ(flags.menuOpen, 1) << greeting;
        EXPECT_EQ(menu(), text);
    }
    flags.menuOpen = 0;
    for (const int unknown : {0, 1, 6, 23, 27, -5}) {
        dialogue->openDialogueMenu(unknown);
        EXPECT_EQ(flags.menuOpen, 0) << unknown;
        EXPECT_EQ(menu(), menus[4].second) << unknown;
    }
}

TEST_F(DialogueTest, DigitsPlayAnAnswerOnlyFromAnOpenMenuWhileAllIsQuiet) {
    dialogue->chooseMenuItem(1);
    EXPECT_EQ(playing(), Keys{}) << "no menu yet";
    dialogue->openDialogueMenu(26);
    // Past her two items, her second, then her first while the second plays.
    for (const auto& [digit, voices] : {std::pair{3, Keys{}}, {0, {}}, {2, {28}}, {1, {28}}}) {
        dialogue->chooseMenuItem(digit);
        EXPECT_EQ(playing(), voices) << digit;
        EXPECT_TRUE(host.takeTexts().empty()) << digit;
    }
    letSoundsEnd();
    dialogue->chooseMenuItem(1);
    EXPECT_EQ(playing(), Keys{27});
    letSoundsEnd();
    flags.menuOpen = 0;
    dialogue->chooseMenuItem(1);
    EXPECT_EQ(playing(), Keys{}) << "menu closed";
}

TEST_F(DialogueTest, EscWalksOnAndShowsTheClosingPanelOnceWhenEveryoneHasBeenTalkedTo) {
    // After each Esc: the closing panel shown, its sound played, and the voices playing.
    using Esc = std::tuple<int, int, Keys>;
    const Esc first{1, 1, {23}}, hidden{0, 1, {}}, never{0, 0, {}};
    TalkedTo oneLeft = everyone;
    oneLeft[4] = 0;
    const struct {
        TalkedTo talked;
        bool keyI;
        std::vector<Esc> escapes;
    } cases[] = {
        {everyone, false, {first, hidden, hidden}},
        {oneLeft, false, {never, never}},
        {{{1, 0}, {4, 1}, {6, 0}}, true, {first, hidden}},
    };
    for (const auto& c : cases) {
        flags.finaleShown = flags.finalePlayed = 0;
        dialogue->setTalkedTo(c.talked);
        if (c.keyI) {
            dialogue->markAllTalkedTo();
        }
        for (const Esc& expected : c.escapes) {
            flags.movementEnabled = 0;
            flags.menuOpen = 1;
            dialogue->escape();
            EXPECT_EQ(flags.movementEnabled, 1);
            EXPECT_EQ(flags.menuOpen, 0);
            EXPECT_EQ(Esc(flags.finaleShown, flags.finalePlayed, playing()), expected);
        }
    }
}

TEST_F(DialogueTest, TheCenturionNamesSomeoneNotYetTalkedToAndOthersWithoutAVoiceDoNothing) {
    // The one kind left (0: none), and the hint that names it.
    const std::pair<std::int32_t, Keys> cases[] = {{1, {3}},  {2, {15}}, {3, {16}},
                                                   {4, {29}}, {6, {30}}, {0, {}}};
    for (const auto& [left, hint] : cases) {
        TalkedTo talked = everyone;
        if (left != 0) {
            talked[left] = 0;
        }
        dialogue->setTalkedTo(talked);
        flags.movementEnabled = 1;
        dialogue->onCharacterReached(content::kCenturionKind);
        EXPECT_EQ(playing(), hint) << left;
        manager->stopAll();
        for (const int kind : {5, 7, -1}) {
            dialogue->onCharacterReached(kind);
        }
        EXPECT_EQ(playing(), Keys{}) << left;
        EXPECT_EQ(flags.movementEnabled, 1) << left;
        EXPECT_EQ(dialogue->talkedTo(), talked) << left;
    }
}

TEST_F(DialogueTest, AfterTheGreetingTheMenuIsHandedToTheMainThread) {
    Cast cast;
    cast.adopt(Cast::createFigures(
        host, [this](std::int32_t kind) { dialogue->onCharacterReached(kind); }));
    flags.movementEnabled = 1;
    cast.update({2280, 55, -280}); // talkers stop the visitor under 80 away
    EXPECT_EQ(playing(), Keys{});
    cast.update({2279.5f, 55, -280}); // at the woman with the scarf
    EXPECT_EQ(flags.movementEnabled, 0);
    EXPECT_EQ(dialogue->talkedTo().at(6), 1);
    EXPECT_EQ(playing(), Keys{26});
    letSoundsEnd();
    // Only the main thread builds the menu: the waiting thread posts it.
    EXPECT_EQ(flags.menuOpen, 0);
    EXPECT_TRUE(dialogue->menuItems().empty());
    EXPECT_EQ(host.runPendingWork(std::chrono::seconds(30)), 1);
    EXPECT_EQ(flags.menuOpen, 1);
    EXPECT_EQ(dialogue->menuHeading(), "Ask the woman about...");

    // Esc during a greeting silences it; the menu still comes, and walking stays enabled.
    dialogue->onCharacterReached(1);
    EXPECT_EQ(playing(), Keys{5});
    dialogue->escape();
    EXPECT_EQ(host.runPendingWork(std::chrono::seconds(30)), 1);
    EXPECT_EQ(flags.menuOpen, 1);
    EXPECT_EQ(flags.movementEnabled, 1);
    EXPECT_EQ(dialogue->menuHeading(), "Ask the senator about...");
}

TEST_F(DialogueTest, MenuTextRowsFollowTheNumberOfItems) {
    // Glyph cell c of the strip is coloured c + 1, so a pixel shows which glyph was copied there.
    const auto glyph = [](int cell) { return std::uint32_t(cell + 1) << 16; };
    const BitmapFont font(
        rendertest::bitmapOf(41 * 25, 25, [&](int x, int) { return glyph(x / 25); }));
    ColorBuffer frame;
    frame.fillRect(0, 0, kFrameWidth, kFrameHeight, 0);
    dialogue->openDialogueMenu(5);
    dialogue->drawMenuOverlay(frame, font);
    // The heading, the senator's three items and "ESC DONE"; nothing below it.
    const std::tuple<int, int, char> glyphs[] = {
        {330, 70, 'A'}, {350, 130, '1'}, {350, 190, '3'}, {350, 220, 'E'}, {350, 250, 0}};
    for (const auto& [x, y, ch] : glyphs) {
        EXPECT_EQ(frame.pixel(x, y), ch ? glyph(BitmapFont::cellOf(ch)) : 0u)
            << ch << " at " << x << ", " << y;
    }
}

} // namespace
} // namespace velmora
