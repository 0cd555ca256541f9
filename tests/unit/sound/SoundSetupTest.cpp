#include "sound/SoundSetup.h"
#include "SoundTestSupport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using testing::ElementsAre;
using velmora::Vertex;
using velmora::test::toneLevel;
using velmora::test::toneOf;

// The program's sounds in registration order, with their WAVE resources.
const std::pair<int, int> keysInOrder[] = {
    {5, 109},  {1, 102},  {2, 101},  {3, 103},  {4, 106},  {6, 108},  {7, 107},  {10, 112},
    {8, 113},  {9, 111},  {11, 115}, {12, 116}, {13, 117}, {14, 118}, {15, 119}, {16, 120},
    {17, 121}, {29, 133}, {30, 134}, {18, 122}, {19, 127}, {20, 128}, {21, 129}, {22, 130},
    {23, 124}, {24, 125}, {25, 126}, {26, 123}, {27, 131}, {28, 132},
};

// A tenth of a second: every test tone has a whole number of cycles in it.
constexpr int block = velmora::test::LoopbackAudio::sampleRate / 10;

class SoundSetupTest : public velmora::test::ManagerFixture {
  protected:
    // The level of a wave's tone that a listener here hears once the move has settled.
    double levelAt(const Vertex& place, int waveId) {
        manager->setListenerPosition(place);
        audio.render(block / 2);
        return toneLevel(audio.render(block), toneOf(waveId));
    }
};

TEST_F(SoundSetupTest, RegistersEverySoundWithItsPairAndPlacesTheLoops) {
    velmora::setupSounds(*manager, Vertex{-300.7f, 20.0f, 100.9f});
    EXPECT_TRUE(takeSoundErrors(host).empty());
    EXPECT_EQ(manager->nextFree(), 30);
    for (std::size_t pair = 0; pair < std::size(keysInOrder); ++pair) {
        const auto [key, waveId] = keysInOrder[pair];
        SCOPED_TRACE(key);
        const bool loop = key == 2 || key == 18;
        ASSERT_EQ(manager->entry(key), (velmora::SoundEntry{manager->bufferNames()[pair],
                                                            manager->sourceNames()[pair], loop}));
        EXPECT_EQ(bufferSize(key), 2 * velmora::test::sampleCountOf(waveId));
        EXPECT_EQ(sourceInt(key, AL_SOURCE_RELATIVE), !loop);
        EXPECT_EQ(sourceInt(key, AL_LOOPING), loop);
        EXPECT_EQ(playing(key), loop);
    }
    EXPECT_FALSE(manager->isAnyPlaying());
    ALint place[3] = {};
    alGetSourceiv(source(2), AL_POSITION, place);
    EXPECT_THAT(place, ElementsAre(1025, 0, -800));
    alGetSourceiv(source(18), AL_POSITION, place);
    EXPECT_THAT(place, ElementsAre(2900, 0, -500));
    alGetListeneriv(AL_POSITION, place);
    EXPECT_THAT(place, ElementsAre(-300, 0, 100));
    EXPECT_EQ(alGetInteger(AL_DISTANCE_MODEL), AL_INVERSE_DISTANCE);
    for (const int key : {2, 18}) {
        EXPECT_EQ(sourceFloat(key, AL_MIN_GAIN), 0.0f);
        EXPECT_EQ(sourceFloat(key, AL_MAX_GAIN), 0.75f);
        EXPECT_EQ(sourceFloat(key, AL_ROLLOFF_FACTOR), 60.0f);
        EXPECT_EQ(sourceFloat(key, AL_REFERENCE_DISTANCE), 300.0f);
    }
}

TEST_F(SoundSetupTest, LoopsAreHeardFromTheirPlacesAndAVoiceAlikeEverywhere) {
    velmora::setupSounds(*manager, Vertex{});
    const Vertex nearFirst{1025, 0, -790}, nearSecond{2890, 0, -500}, farAway{-4000, 0, 6000};
    const double firstNear = levelAt(nearFirst, 101);
    const double secondNear = levelAt(nearSecond, 122);
    EXPECT_GT(firstNear, 0.1);
    EXPECT_GT(secondNear, 0.1);
    EXPECT_GT(firstNear, 20.0 * levelAt(nearSecond, 101));
    EXPECT_GT(secondNear, 20.0 * levelAt(nearFirst, 122));
    EXPECT_GT(levelAt(nearSecond, 101), levelAt(farAway, 101));
    EXPECT_GT(levelAt(nearFirst, 122), levelAt(farAway, 122));

    // The listener faces -z, so the first loop is straight ahead of it, where a voice sounds too:
    // the loop is held to a gain of 0.75 there, and a voice at full level is 1 / 0.75 louder.
    std::vector<double> voice;
    for (const Vertex& place : {nearFirst, nearSecond, farAway}) {
        manager->play(5);
        voice.push_back(levelAt(place, 109));
    }
    EXPECT_NEAR(voice[0], firstNear / 0.75, 0.02 * voice[0]);
    EXPECT_NEAR(voice[1], voice[0], 0.01 * voice[0]);
    EXPECT_NEAR(voice[2], voice[0], 0.01 * voice[0]);
}

} // namespace
