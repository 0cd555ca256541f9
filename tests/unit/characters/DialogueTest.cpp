#include "characters/Cast.h"
#include "characters/Dialogue.h"
#include "RenderTestSupport.h"
#include "SoundTestSupport.h"
#include "sound/SoundSetup.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <map>
#include <string>
#include <tuple>
#include <vector>

namespace velmora {
namespace {

using TalkedTo = std::map<std::int32_t, std::int32_t>;
using Keys = std::vector<int>;

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

    // The voices playing now; the two ambient loops always play.
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
    void talkedTo(const TalkedTo& talked) { dialogue->setTalkedTo(talked); }

    InteractionFlags flags;
    std::unique_ptr<Dialogue> dialogue;
};

TEST_F(DialogueTest, EachGreetingOpensItsMenuAndUnknownKeysChangeNothing) {
    using Items = std::vector<std::pair<std::string, std::int32_t>>;
    const struct {
        int greeting;
        const char* heading;
        Items items;
    } menus[] = {
        {5, "Ask the senator about...", {{"The Emperor", 6}, {"Consuls", 24}, {"The Senate", 25}}},
        {7, "Ask the guard about...", {{"The Colosseum", 8}, {"Vespasian", 9}, {"Games", 10}}},
        {11,
         "Ask the preistess about...",
         {{"Vesta", 12}, {"The Temple", 13}, {"The Sacred Fire", 14}}},
        {19, "Ask the plebian about...", {{"The Arch", 20}, {"A Triumph", 21}, {"Parthians", 22}}},
        {26, "Ask the woman about...", {{"Venus", 27}, {"Hadrian", 28}}},
    };
    for (const auto& menu : menus) {
        flags.menuOpen = 0;
        dialogue->openDialogueMenu(menu.greeting);
        EXPECT_EQ(flags.menuOpen, 1) << menu.greeting;
        EXPECT_EQ(dialogue->menuHeading(), menu.heading);
        Items items;
        for (std::size_t i = 0; i < dialogue->menuItems().size(); ++i) {
            const MenuItem& item = dialogue->menuItems()[i];
            EXPECT_EQ(item.number, int(i) + 1) << menu.heading;
            items.emplace_back(item.text, item.soundKey);
        }
        EXPECT_EQ(items, menu.items);
    }
    flags.menuOpen = 0;
    for (const int unknown : {0, 1, 6, 23, 27, -5}) {
        dialogue->openDialogueMenu(unknown);
        EXPECT_EQ(flags.menuOpen, 0) << unknown;
        EXPECT_EQ(dialogue->menuHeading(), "Ask the woman about...") << unknown;
        EXPECT_EQ(dialogue->menuItems().size(), 2u) << unknown;
    }
}

TEST_F(DialogueTest, DigitsPlayAnAnswerOnlyFromAnOpenMenuWhileAllIsQuiet) {
    const std::function<void()> none = [] {};
    const struct {
        const char* what;
        std::function<void()> before;
        int digit;
        Keys playing;
    } steps[] = {
        {"no menu yet", none, 1, {}},
        {"the woman's menu", [&] { dialogue->openDialogueMenu(26); }, 3, {}},
        {"beyond her two items", none, 4, {}},
        {"her second topic", none, 2, {28}},
        {"while an answer plays", none, 1, {28}},
        {"once it has ended", [&] { letSoundsEnd(); }, 1, {27}},
        {"menu closed",
         [&] {
             letSoundsEnd();
             flags.menuOpen = 0;
         },
         1,
         {}},
    };
    for (const auto& step : steps) {
        step.before();
        dialogue->chooseMenuItem(step.digit);
        EXPECT_EQ(playing(), step.playing) << step.what;
    }
}

TEST_F(DialogueTest, TheClosingPanelComesOnceWhenEveryoneHasBeenTalkedTo) {
    struct Esc {
        int shown, played;
        Keys playing;
    };
    const Esc first{1, 1, {23}}, hidden{0, 1, {}}, never{0, 0, {}};
    const struct {
        const char* what;
        TalkedTo talked;
        bool markAll;
        std::vector<Esc> escapes;
    } cases[] = {
        {"all talked to", {{1, 1}, {2, 1}, {3, 1}, {4, 1}, {6, 1}}, false, {first, hidden, hidden}},
        {"one left", {{1, 1}, {2, 1}, {3, 1}, {4, 0}, {6, 1}}, false, {never, never}},
        {"key I", {{1, 0}, {4, 1}, {6, 0}}, true, {first, hidden, hidden}},
    };
    for (const auto& c : cases) {
        flags.finaleShown = flags.finalePlayed = 0;
        talkedTo(c.talked);
        if (c.markAll) {
            dialogue->markAllTalkedTo();
            TalkedTo all = c.talked;
            for (auto& [kind, talked] : all) {
                talked = 1;
            }
            EXPECT_EQ(dialogue->talkedTo(), all) << c.what;
        }
        for (std::size_t i = 0; i < c.escapes.size(); ++i) {
            flags.movementEnabled = 0;
            flags.menuOpen = 1;
            dialogue->escape();
            EXPECT_EQ(flags.movementEnabled, 1);
            EXPECT_EQ(flags.menuOpen, 0);
            EXPECT_EQ(flags.finaleShown, c.escapes[i].shown) << c.what << ", Esc " << i + 1;
            EXPECT_EQ(flags.finalePlayed, c.escapes[i].played) << c.what << ", Esc " << i + 1;
            EXPECT_EQ(playing(), c.escapes[i].playing) << c.what << ", Esc " << i + 1;
        }
    }
}

TEST_F(DialogueTest, TheCenturionNamesSomeoneNotYetTalkedTo) {
    const TalkedTo all{{1, 1}, {2, 1}, {3, 1}, {4, 1}, {6, 1}};
    // The one kind left, and the hint that names it.
    const std::pair<std::int32_t, Keys> cases[] = {{1, {3}},  {2, {15}}, {3, {16}},
                                                   {4, {29}}, {6, {30}}, {0, {}}};
    for (const auto& [left, hint] : cases) {
        TalkedTo talked = all;
        if (left != 0) {
            talked[left] = 0;
        }
        talkedTo(talked);
        flags.movementEnabled = 1;
        dialogue->onCharacterReached(0);
        EXPECT_EQ(playing(), hint) << left;
        EXPECT_EQ(flags.movementEnabled, 1);
        EXPECT_EQ(dialogue->talkedTo(), talked);
        manager->stopAll();
    }
    // Kinds without a greeting do nothing at all.
    for (const int kind : {5, 7, -1}) {
        dialogue->onCharacterReached(kind);
        EXPECT_EQ(playing(), Keys{}) << kind;
        EXPECT_EQ(flags.movementEnabled, 1) << kind;
        EXPECT_EQ(dialogue->talkedTo(), all) << kind;
    }
}

TEST_F(DialogueTest, AfterTheGreetingTheMenuIsHandedToTheMainThread) {
    Cast cast;
    cast.adopt(Cast::createFigures(host, [this](std::int32_t kind) { dialogue->onCharacterReached(kind); }));
    flags.movementEnabled = 1;
    cast.update({2200, 55, -280}); // at the woman with the scarf
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
    EXPECT_EQ(dialogue->menuItems().size(), 2u);

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
    // Glyph cell c of the strip tells its cell, row and column, so a pixel shows which glyph
    // was copied there and which of its pixels.
    const auto glyph = [](int cell, int x = 0, int y = 0) {
        return std::uint32_t(cell + 1) << 16 | std::uint32_t(y) << 8 | std::uint32_t(x);
    };
    const BitmapFont font(
        rendertest::bitmapOf(41 * 25, 25, [&](int x, int y) { return glyph(x / 25, x % 25, y); }));
    const struct {
        int greeting;
        std::vector<std::tuple<int, int, char>> glyphs; // top-left corner and character
    } cases[] = {
        // "1 Venus": '1' advances 22 and the blank 11.
        {26, {{330, 70, 'A'}, {350, 130, '1'}, {383, 130, 'V'}, {350, 160, '2'}, {350, 190, 'E'}}},
        {5, {{330, 70, 'A'}, {350, 160, '2'}, {350, 190, '3'}, {350, 220, 'E'}}},
    };
    for (const auto& c : cases) {
        ColorBuffer frame;
        frame.fillRect(0, 0, kFrameWidth, kFrameHeight, 0);
        dialogue->openDialogueMenu(c.greeting);
        dialogue->drawMenuOverlay(frame, font);
        for (const auto& [x, y, ch] : c.glyphs) {
            EXPECT_EQ(frame.pixel(x, y), glyph(BitmapFont::cellOf(ch)))
                << c.greeting << ": '" << ch << "' at " << x << ", " << y;
        }
        // Nothing below "ESC DONE".
        const int below = std::get<1>(c.glyphs.back()) + 30;
        EXPECT_EQ(frame.pixel(350, below), 0u) << c.greeting;
    }
}

} // namespace
} // namespace velmora
