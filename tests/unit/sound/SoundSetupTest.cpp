#include "sound/SoundSetup.h"
#include "SoundTestSupport.h"

#include <gtest/gtest.h>

#include <array>
#include <set>

namespace velmora {
namespace {

using Place = std::array<ALint, 3>;

class SoundSetupTest : public test::ManagerFixture {};

TEST_F(SoundSetupTest, RegistersThirtySoundsEachWaveOnceAndStartsTheTwoPlacedLoops) {
    setupSounds(*manager, Vertex{-300.7f, 20.0f, 100.9f});
    EXPECT_TRUE(host.takeTexts().empty());
    EXPECT_EQ(manager->nextFree(), 30);
    // Every test wave has a length of its own, so the buffer sizes tell the waves apart.
    std::set<ALint> sizes;
    for (int key = 1; key <= 30; ++key) {
        SCOPED_TRACE(key);
        ASSERT_TRUE(manager->entry(key).has_value());
        sizes.insert(bufferInt(manager->entry(key)->buffer, AL_SIZE));
        const bool loop = key == 2 || key == 18;
        EXPECT_EQ(manager->entry(key)->ambient, loop);
        EXPECT_EQ(sourceInt(key, AL_SOURCE_RELATIVE), !loop);
        EXPECT_EQ(sourceInt(key, AL_LOOPING), loop);
        EXPECT_EQ(manager->isPlaying(key), loop);
    }
    EXPECT_EQ(sizes.size(), 30u);
    EXPECT_FALSE(manager->isAnyPlaying());
    Place place{};
    alGetListeneriv(AL_POSITION, place.data());
    EXPECT_EQ(place, (Place{-300, 0, 100}));
    EXPECT_EQ(alGetInteger(AL_DISTANCE_MODEL), AL_INVERSE_DISTANCE);
    for (const auto& [key, expected] :
         {std::pair{2, Place{1025, 0, -800}}, {18, {2900, 0, -500}}}) {
        alGetSourceiv(source(key), AL_POSITION, place.data());
        EXPECT_EQ(place, expected) << key;
        EXPECT_EQ(sourceFloat(key, AL_MAX_GAIN), 0.75f) << key;
        EXPECT_EQ(sourceFloat(key, AL_ROLLOFF_FACTOR), 60.0f) << key;
        EXPECT_EQ(sourceFloat(key, AL_REFERENCE_DISTANCE), 300.0f) << key;
    }
}

} // namespace
} // namespace velmora
