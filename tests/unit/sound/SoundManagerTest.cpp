#include "SoundTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <thread>

namespace {

using velmora::SoundManager;
using velmora::test::Texts;

const std::string notLoaded = "Unable to load sound resource";
const std::string notInMap = "Sound resource is not in the sound map";
const std::string uploadFailed = "Error load sounding. Need more buffers?";

// A quarter of a second of output: longer than any test voice (about 0.23 s).
constexpr int pastAVoice = velmora::test::LoopbackAudio::sampleRate / 4 + 1000;

class SoundManagerTest : public velmora::test::ManagerFixture {};

// The pair each key gets in registration order is checked with the program's sounds, in
// SoundSetupTest.
TEST_F(SoundManagerTest, ASecondRegistrationOfAKeyKeepsTheFirst) {
    manager->registerSound(7, 107, true);
    manager->registerSound(7, 110, false);
    EXPECT_EQ(manager->nextFree(), 1);
    EXPECT_EQ(bufferSize(7), 2 * velmora::test::sampleCountOf(107));
    EXPECT_EQ(sourceInt(7, AL_SOURCE_RELATIVE), AL_TRUE);
    EXPECT_TRUE(takeSoundErrors(host).empty());
}

TEST_F(SoundManagerTest, AWaveThatDoesNotLoadLeavesItsKeyUnregistered) {
    using velmora::test::Bytes;
    host.removeResource(velmora::platform::ResourceType::Wave, 104);
    host.putResource(velmora::platform::ResourceType::Wave, 105, {});
    host.putResource(velmora::platform::ResourceType::Wave, 110, Bytes(20, 'R'));
    host.putResource(
        velmora::platform::ResourceType::Wave, 114,
        velmora::test::patched(velmora::test::testWave(114), 0, velmora::test::fourCc("RIFX")));
    // Mu-law, which the upload refuses: the key is registered all the same.
    host.putResource(velmora::platform::ResourceType::Wave, 119,
                     velmora::test::riffWave(velmora::test::fmtBody(1, 8000, 8, 7), Bytes(100)));
    for (const int waveId : {104, 105, 110, 114, 119}) {
        manager->registerSound(waveId - 100, waveId, true);
    }
    EXPECT_EQ(takeSoundErrors(host),
              (Texts{notLoaded, notLoaded, notLoaded,
                     "Sound Error: RIFF header section doesn't match expected format", notLoaded,
                     uploadFailed}));
    EXPECT_EQ(manager->nextFree(), 1);
    EXPECT_EQ(manager->entry(19).value().source, manager->sourceNames()[0]);
    for (const int key : {4, 5, 10, 14, 31}) {
        manager->play(key);
    }
    EXPECT_EQ(takeSoundErrors(host), Texts(5, notInMap));
}

TEST_F(SoundManagerTest, ARegistrationPastThePoolIsRefused) {
    for (int key = 1; key <= SoundManager::poolSize + 1; ++key) {
        manager->registerSound(key, 101 + key % 34, true);
    }
    EXPECT_EQ(manager->nextFree(), 50);
    EXPECT_EQ(manager->entry(50).value().source, manager->sourceNames()[49]);
    EXPECT_FALSE(manager->entry(51).has_value());
    EXPECT_EQ(takeSoundErrors(host), Texts{uploadFailed});
}

TEST_F(SoundManagerTest, PlayingAPlayingVoiceStartsItOver) {
    manager->registerSound(5, 109, true);
    manager->play(5);
    audio.render(4410);
    const ALint before = sourceInt(5, AL_SAMPLE_OFFSET);
    EXPECT_GT(before, 1000);
    manager->play(5);
    audio.render(441);
    EXPECT_TRUE(playing(5));
    EXPECT_LT(sourceInt(5, AL_SAMPLE_OFFSET), before / 4);
}

TEST_F(SoundManagerTest, StopAllAndIsAnyPlayingPassTheAmbientLoops) {
    for (const int key : {2, 18, 5, 6}) {
        manager->registerSound(key, 101 + key, key != 2 && key != 18);
    }
    manager->makeAmbientLoop(2);
    manager->makeAmbientLoop(18);
    manager->playTogether(2, 18);
    EXPECT_FALSE(manager->isAnyPlaying());
    manager->play(6);
    EXPECT_TRUE(manager->isAnyPlaying());
    manager->stopAll();
    EXPECT_FALSE(manager->isAnyPlaying());
    EXPECT_FALSE(playing(6));
    EXPECT_TRUE(playing(2) && playing(18));
}

// What the waiting threads have called, for the tests to wait on.
struct Calls {
    static inline std::mutex mutex;
    static inline std::condition_variable changed;
    static inline std::vector<int> keys;
};

void recordCall(int key) {
    std::lock_guard lock(Calls::mutex);
    Calls::keys.push_back(key);
    Calls::changed.notify_all();
}

// The keys called since the last take, once there are count of them or a generous deadline
// (against a hang, not a measure of speed) has passed.
std::vector<int> takeCalls(std::size_t count) {
    std::unique_lock lock(Calls::mutex);
    Calls::changed.wait_for(lock, std::chrono::seconds(30),
                            [count] { return Calls::keys.size() >= count; });
    return std::exchange(Calls::keys, {});
}

TEST_F(SoundManagerTest, PlayThenCallCallsWithTheKeyOnceTheSoundHasEnded) {
    for (const int key : {5, 7, 11}) {
        manager->registerSound(key, 100 + key, true);
    }
    manager->play(5);
    audio.render(pastAVoice);
    manager->play(7);
    manager->play(11);
    manager->playThenCall(recordCall, 7);
    manager->playThenCall(recordCall, 11);
    manager->playThenCall(recordCall, 5);
    // Key 5 has ended and is called at once; the others wait for their voices.
    EXPECT_EQ(takeCalls(1), std::vector<int>{5});
    audio.render(pastAVoice);
    auto keys = takeCalls(2);
    std::sort(keys.begin(), keys.end());
    EXPECT_EQ(keys, (std::vector<int>{7, 11}));
}

TEST_F(SoundManagerTest, ShutdownEndsAWaitWithoutCallingAndLeavesAQuietManager) {
    manager->registerSound(5, 109, true);
    manager->play(5);
    // Nothing renders, so the voice plays on and the thread waits until it is stopped.
    manager->playThenCall(recordCall, 5);
    manager->shutdownSound();
    EXPECT_TRUE(takeCalls(0).empty());
    EXPECT_EQ(alcGetCurrentContext(), nullptr);
    manager->play(5);
    EXPECT_TRUE(takeSoundErrors(host).empty());
}

// A waiter that a playThenCall racing with the shutdown starts after it would find the sound
// gone and call at once; none may start, and none may outlive the shutdown.
TEST(SoundShutdown, APlayThenCallRacingWithTheShutdownStartsNoWaiter) {
    velmora::test::FakeHost host;
    velmora::test::serveTestWaves(host);
    for (int round = 0; round < 40; ++round) {
        velmora::test::LoopbackAudio audio;
        ASSERT_NE(audio.context, nullptr);
        SoundManager manager(host, audio.device, audio.context);
        manager.registerSound(5, 109, true);
        manager.play(5); // nothing renders, so it plays until stopped
        std::thread waiting([&manager] {
            for (int i = 0; i < 20; ++i) {
                manager.playThenCall(recordCall, 5);
            }
        });
        std::thread closing([&manager] { manager.shutdownSound(); });
        waiting.join();
        closing.join();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        EXPECT_TRUE(takeCalls(0).empty()) << "round " << round;
    }
}

TEST(SilentSoundManager, WithoutADeviceEveryCallIsQuietAndWaitsEndAtOnce) {
    velmora::test::FakeHost host;
    velmora::test::serveTestWaves(host);
    testing::internal::CaptureStderr();
    SoundManager manager(host, nullptr, nullptr);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "velmora: no audio device; running without sound\n");
    manager.registerSound(5, 109, true);
    manager.play(31);
    EXPECT_FALSE(manager.isAnyPlaying());
    EXPECT_EQ(manager.nextFree(), 0);
    EXPECT_TRUE(takeSoundErrors(host).empty());
    // Conversations still go on: the greeting they wait for counts as ended.
    manager.playThenCall(recordCall, 5);
    EXPECT_EQ(takeCalls(1), std::vector<int>{5});
}

TEST(DefaultSoundManager, TheInstanceIsMadeOnceOverTheDefaultDevice) {
    // The tests' configuration makes the default device OpenAL Soft's silent null device.
    velmora::test::FakeHost host;
    velmora::test::serveTestWaves(host);
    SoundManager& manager = SoundManager::create(host);
    EXPECT_EQ(&manager, &SoundManager::create(host));
    EXPECT_EQ(&manager, &SoundManager::instance());
    manager.registerSound(5, 109, true);
    EXPECT_EQ(manager.entry(5).value().source, manager.sourceNames()[0]);
    manager.shutdownSound();
    EXPECT_TRUE(takeSoundErrors(host).empty());
}

} // namespace
