#include "sound/SoundSetup.h"
#include "SoundTestSupport.h"

#include <gtest/gtest.h>

#include <array>
#include <set>

namespace velmora {
namespace {

using Place = std::array<ALint, 3>;

using SoundSetupTest = test::ManagerFixture;

TEST_F(SoundSetupTest, RegistersThirtySoundsEachWaveOnceAndStartsTheTwoPlacedLoops) {
    setupSounds(*manager, Vertex{-300.7f, 20.0f, 100.9f});
    EXPECT_TRUE(host.takeTexts().empty());
    EXPECT_EQ(manager->nextFree(), 30);
    // Every test wave has a length of its own, so the buffer sizes tell the waves apart.
    std::set<ALint> sizes;
    for (int key = 1; key <= 30; ++key) {
        SCOPED_TRACE(key);
        ALint size = 0;
        alGetBufferi(manager->entry(key).value().buffer, AL_SIZE, &size);
        sizes.insert(size);
        const int loop = key == 2 || key == 18;
        EXPECT_EQ(manager->entry(key)->ambient, loop);
        EXPECT_EQ(manager->isPlaying(key), loop);
        for (const auto& [parameter, value] :
             {std::pair{AL_SOURCE_RELATIVE, 1 - loop}, {AL_LOOPING, loop}}) {
            ALint actual = -1;
            alGetSourcei(manager->entry(key)->source, parameter, &actual);
            EXPECT_EQ(actual, value) << parameter;
        }
    }
    EXPECT_EQ(sizes.size(), 30u);
    Place place{};
    alGetListeneriv(AL_POSITION, place.data());
    EXPECT_EQ(place, (Place{-300, 0, 100}));
    EXPECT_EQ(alGetInteger(AL_DISTANCE_MODEL), AL_INVERSE_DISTANCE);
    for (const auto& [key, expected] :
         {std::pair{2, Place{1025, 0, -800}}, {18, {2900, 0, -500}}}) {
        const ALuint source = manager->entry(key)->source;
        alGetSourceiv(source, AL_POSITION, place.data());
        EXPECT_EQ(place, expected) << key;
        for (const auto& [parameter, value] : {std::pair{AL_MAX_GAIN, 0.75f},
                                               {AL_ROLLOFF_FACTOR, 60.0f},
                                               {AL_REFERENCE_DISTANCE, 300.0f}}) {
            float actual = -1;
            alGetSourcef(source, parameter, &actual);
            EXPECT_EQ(actual, value) << key << " " << parameter;
        }
    }
    // The loops are no voices: isAnyPlaying and stopAll pass them.
    EXPECT_FALSE(manager->isAnyPlaying());
    manager->play(5);
    EXPECT_TRUE(manager->isAnyPlaying());
    manager->stopAll();
    EXPECT_FALSE(manager->isAnyPlaying() || manager->isPlaying(5));
    EXPECT_TRUE(manager->isPlaying(2) && manager->isPlaying(18));
}

} // namespace
} // namespace velmora
