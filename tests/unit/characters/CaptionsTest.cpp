#include "characters/Captions.h"
#include "FakeHost.h"
#include "SoundTestSupport.h"
#include "content/Figures.h"
#include "content/Sounds.h"
#include "platform/EmbeddedResources.h"

#include <gtest/gtest.h>

#include <set>

namespace velmora {
namespace {

using namespace std::chrono_literals;

// Every sound the program speaks with: the figures' greetings, hints and answers, and the
// closing line.
std::set<int> voiceKeys() {
    std::set<int> keys{content::kClosingSound};
    for (const content::Figure& figure : content::figures()) {
        for (const int key : {figure.greetingSound, figure.hintSound}) {
            if (key != 0) {
                keys.insert(key);
            }
        }
        for (const content::Topic& topic : figure.topics) {
            keys.insert(topic.answerSound);
        }
    }
    return keys;
}

TEST(VoiceLines, EveryVoiceOfTheProgramHasItsTextAndLengthAndNoOtherSoundHasText) {
    const platform::ConsoleHost host(resources::embedded());
    const VoiceLines lines = VoiceLines::load(host);
    const std::set<int> voices = voiceKeys();
    EXPECT_EQ(voices.size(), 25u);
    for (const int key : voices) {
        const int wave = content::waveOfSound(key);
        EXPECT_NE(lines.textOf(wave), "") << "sound " << key << " (WAVE " << wave << ") has no text";
        EXPECT_GT(lines.lengthOf(wave), 1s) << "sound " << key << " (WAVE " << wave << ")";
    }
    for (const int key : {content::kFootstepSound, content::kFireLoopSound, content::kLoadedSound,
                          content::kCrowdLoopSound}) {
        EXPECT_EQ(lines.textOf(content::waveOfSound(key)), "") << "sound " << key;
    }
}

TEST(VoiceLines, ReadsNumberedLinesOfFourFieldsAndPassesOverTheRest) {
    const VoiceLines lines("# comment\t1\tx\ty\n"
                           "7\tname\tspeaker\tSeven, said.\r\n"
                           "\n"
                           "8\tname\tspeaker\n"
                           "9x\tname\tspeaker\tbad number\n"
                           "10\tname\tspeaker\t\n"
                           "11\ta\tb\ttext\twith a tab");
    EXPECT_EQ(lines.texts(), (std::map<int, std::string>{{7, "Seven, said."}, {11, "text\twith a tab"}}));
    EXPECT_EQ(lines.textOf(8), "");
    EXPECT_EQ(lines.lengthOf(7), 0ms); // read from a table alone, no wave is known
}

// The senator's greeting (key 5, WAVE 109) lasting two seconds, and the answer of key 6
// (WAVE 108) one second; the footstep (key 1) has no text.
class CaptionsTest : public testing::Test {
  protected:
    CaptionsTest() {
        host.putResource(platform::ResourceType::Text, content::kVoiceLinesText,
                         bytesOf("109\tgreeting\tsenator\tHail, visitor.\n"
                                 "108\temperor\tsenator\tOur Emperor.\n"));
        host.putResource(platform::ResourceType::Wave, 109,
                         test::riffWave(1, 1000, 16, test::Bytes(4000)));
        host.putResource(platform::ResourceType::Wave, 108,
                         test::riffWave(2, 1000, 8, test::Bytes(2000)));
    }
    static test::Bytes bytesOf(std::string_view text) { return {text.begin(), text.end()}; }
    std::optional<std::string_view> textAt(CaptionClock::duration after) const {
        const auto caption = captions->at(t0 + after);
        return caption ? std::optional(caption->text) : std::nullopt;
    }

    test::FakeHost host;
    std::optional<Captions> captions;
    const CaptionClock::time_point t0 = CaptionClock::now();
};

TEST_F(CaptionsTest, ACaptionLastsAsLongAsItsVoiceAndAnotherVoiceOrAStopEndsIt) {
    captions.emplace(VoiceLines::load(host));
    EXPECT_EQ(captions->lines().lengthOf(109), 2000ms);
    EXPECT_EQ(textAt(0ms), std::nullopt);
    captions->onSoundStarted(5, t0);
    EXPECT_EQ(textAt(-1ms), std::nullopt);
    EXPECT_EQ(textAt(0ms), "Hail, visitor.");
    EXPECT_DOUBLE_EQ(captions->at(t0 + 500ms)->spoken, 0.25);
    EXPECT_EQ(textAt(1999ms), "Hail, visitor.");
    EXPECT_EQ(textAt(2000ms), std::nullopt);

    captions->onSoundStarted(1, t0 + 100ms); // a footstep: not a voice of the program
    captions->onSoundStarted(4, t0 + 100ms); // the jingle: no text
    EXPECT_EQ(textAt(1500ms), "Hail, visitor.");
    captions->onSoundStarted(6, t0 + 1000ms);
    EXPECT_EQ(textAt(1500ms), "Our Emperor.");
    EXPECT_DOUBLE_EQ(captions->at(t0 + 1500ms)->spoken, 0.5);
    EXPECT_EQ(textAt(2000ms), std::nullopt);
    captions->onSoundStarted(5, t0);
    captions->stop();
    EXPECT_EQ(textAt(100ms), std::nullopt);
}

TEST_F(CaptionsTest, AVoiceWithoutItsWaveOrWithoutTheTableShowsNothing) {
    host.putResource(platform::ResourceType::Wave, 109, {});
    captions.emplace(VoiceLines::load(host));
    captions->onSoundStarted(5, t0);
    EXPECT_EQ(textAt(0ms), std::nullopt);

    test::FakeHost bare;
    captions.emplace(VoiceLines::load(bare));
    captions->onSoundStarted(6, t0);
    EXPECT_EQ(textAt(0ms), std::nullopt);
}

// Ten units a character.
int widthOf(std::string_view text) {
    return int(text.size()) * 10;
}

TEST(CaptionPages, WordsWrapAtSpacesToTheWidth) {
    const struct {
        const char* text;
        int width;
        std::vector<std::string> lines;
    } cases[] = {
        {"", 100, {}},
        {"   ", 100, {}},
        {"one two three", 130, {"one two three"}},
        {"one two three", 129, {"one two", "three"}},
        {"  one   two  ", 70, {"one two"}},
        {"a verylongword b", 50, {"a", "verylongword", "b"}},
        {"one two three four", 30, {"one", "two", "three", "four"}},
        {"one\ntwo three\n\nfour", 1000, {"one", "two three", "four"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(wrapWords(c.text, c.width, widthOf), c.lines) << c.text << " in " << c.width;
    }
}

TEST(CaptionPages, EachPageStaysForItsShareOfTheCharacters) {
    // Pages of two lines: 10 + 10, 10 + 10, 20 characters; 60 in all.
    const std::vector<std::string> lines{std::string(10, 'a'), std::string(10, 'b'),
                                         std::string(10, 'c'), std::string(10, 'd'),
                                         std::string(20, 'e')};
    const struct {
        double spoken;
        std::size_t page;
    } cases[] = {{-1, 0},          {0, 0},         {19.9 / 60, 0}, {20.0 / 60, 1}, {0.5, 1},
                 {39.9 / 60, 1},   {40.0 / 60, 2}, {1, 2},         {7, 2}};
    for (const auto& c : cases) {
        EXPECT_EQ(pageAt(lines, 2, c.spoken), c.page) << c.spoken;
    }
    EXPECT_EQ(pageAt(lines, 5, 0.99), 0u);
    EXPECT_EQ(pageAt({}, 2, 0.5), 0u);
}

} // namespace
} // namespace velmora
