#include "sound/SoundSetup.h"
#include "SoundTestSupport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>

namespace {

using testing::ElementsAre;
using velmora::Vertex;

class SoundSetupTest : public velmora::test::ManagerFixture {};

TEST_F(SoundSetupTest, RegistersThirtySoundsEachWaveOnceAndPlacesTheLoops) {
    velmora::setupSounds(*manager, Vertex{-300.7f, 20.0f, 100.9f});
    EXPECT_TRUE(takeSoundErrors(host).empty());
    EXPECT_EQ(manager->nextFree(), 30);
    // Every test wave has a length of its own, so the buffer sizes tell which wave each key got:
    // thirty keys, thirty different waves.
    std::set<ALint> sizes;
    for (int key = 1; key <= 30; ++key) {
        SCOPED_TRACE(key);
        ASSERT_TRUE(manager->entry(key).has_value());
        sizes.insert(bufferSize(key));
        const bool loop = key == 2 || key == 18;
        EXPECT_EQ(manager->entry(key)->ambient, loop);
        EXPECT_EQ(sourceInt(key, AL_SOURCE_RELATIVE), !loop);
        EXPECT_EQ(sourceInt(key, AL_LOOPING), loop);
        EXPECT_EQ(playing(key), loop);
    }
    EXPECT_EQ(sizes.size(), 30u);
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
        EXPECT_EQ(sourceFloat(key, AL_MAX_GAIN), 0.75f);
        EXPECT_EQ(sourceFloat(key, AL_ROLLOFF_FACTOR), 60.0f);
        EXPECT_EQ(sourceFloat(key, AL_REFERENCE_DISTANCE), 300.0f);
    }
}

} // namespace
