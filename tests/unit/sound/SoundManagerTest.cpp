#include "SoundTestSupport.h"

#include <gtest/gtest.h>

#include <thread>

namespace velmora {
namespace {

using platform::ResourceType;
using test::Bytes;
using test::Texts;
using Keys = std::vector<int>;

const std::string notLoaded = "Unable to load sound resource";
const std::string uploadFailed = "Error load sounding. Need more buffers?";

// A quarter of a second of output: longer than any test voice.
constexpr int pastAVoice = test::LoopbackAudio::sampleRate / 4 + 1000;

// A waiting thread's call, handed to the test's thread as the program hands it to the main one.
SoundManager::Callback handOver(test::FakeHost& host, Keys& called) {
    return [&host, &called](int key) {
        host.runOnMainThread([&called, key] { called.push_back(key); });
    };
}

// Runs what the waiting threads have handed over until count keys have come, or until nothing
// comes for a generous while (against a hang, not a measure of speed).
Keys takeCalls(test::FakeHost& host, Keys& called, std::size_t count) {
    while (called.size() < count && host.runPendingWork(std::chrono::seconds(30)) > 0) {
    }
    return std::exchange(called, {});
}

class SoundManagerTest : public test::ManagerFixture {
  protected:
    Keys called;
};

// Keys take the pool's pairs in registration order. A wave that does not load leaves its key out;
// one the upload refuses keeps it; a second registration of a key keeps the first.
TEST_F(SoundManagerTest, RegistrationTakesThePairsInOrderUntilThePoolIsFull) {
    host.removeResource(ResourceType::Wave, 104);
    host.putResource(ResourceType::Wave, 105, {});
    host.putResource(ResourceType::Wave, 110, Bytes(20, 'R'));
    host.putResource(ResourceType::Wave, 114, test::patched(test::testWave(114), 0, 0));
    host.putResource(ResourceType::Wave, 119,
                     test::riffWave(test::fmtBody(1, 8000, 8, 7), Bytes(100)));
    const std::pair<int, Texts> registrations[] = {
        {107, {}},
        {110, {}},
        {104, {notLoaded}},
        {105, {notLoaded}},
        {110, {notLoaded}},
        {114, {"Sound Error: RIFF header section doesn't match expected format", notLoaded}},
        {119, {uploadFailed}}, // mu-law
    };
    for (const auto& [waveId, errors] : registrations) {
        const int key = waveId == 110 && errors.empty() ? 7 : waveId - 100;
        manager->registerSound(key, waveId, key == 7);
        EXPECT_EQ(host.takeTexts(), errors) << waveId;
    }
    EXPECT_EQ(bufferInt(manager->entry(7)->buffer, AL_SIZE), 2 * test::sampleCountOf(107));
    EXPECT_EQ(sourceInt(7, AL_SOURCE_RELATIVE), AL_TRUE);
    EXPECT_EQ(sourceInt(19, AL_SOURCE_RELATIVE), AL_FALSE);
    for (const int key : {4, 5, 10, 14, 31}) {
        manager->play(key);
    }
    EXPECT_EQ(host.takeMessages(),
              std::vector(5, test::FakeHost::Message{"Sound resource is not in the sound map",
                                                     "Error", platform::MessageIcon::Warning}));
    for (int key = 100; key < 149; ++key) {
        manager->registerSound(key, 101, true);
    }
    EXPECT_EQ(host.takeTexts(), Texts{uploadFailed});
    for (const auto& [key, pair] : {std::pair{7, 0}, {19, 1}, {100, 2}, {147, 49}}) {
        const SoundEntry expected{manager->bufferNames()[pair], manager->sourceNames()[pair], 0};
        EXPECT_EQ(manager->entry(key), expected) << key;
    }
    EXPECT_FALSE(manager->entry(148).has_value());
}

TEST_F(SoundManagerTest, StopAllAndIsAnyPlayingPassTheAmbientLoops) {
    for (const int key : {2, 18, 6}) {
        manager->registerSound(key, 101 + key, true);
    }
    manager->makeAmbientLoop(2);
    manager->makeAmbientLoop(18);
    manager->playTogether(2, 18);
    EXPECT_FALSE(manager->isAnyPlaying());
    manager->play(6);
    EXPECT_TRUE(manager->isAnyPlaying() && manager->isPlaying(6));
    manager->stopAll();
    EXPECT_FALSE(manager->isAnyPlaying() || manager->isPlaying(6));
    EXPECT_TRUE(manager->isPlaying(2) && manager->isPlaying(18));
}

TEST_F(SoundManagerTest, PlayThenCallCallsOnceTheSoundHasEndedAndShutdownEndsAWaitUncalled) {
    for (const int key : {5, 7, 11}) {
        manager->registerSound(key, 100 + key, true);
    }
    manager->play(5);
    audio.render(pastAVoice);
    manager->play(7);
    manager->play(11);
    for (const int key : {7, 11, 5}) {
        manager->playThenCall(handOver(host, called), key);
    }
    // Key 5 has ended and is called at once; the others wait for their voices.
    EXPECT_EQ(takeCalls(host, called, 1), Keys{5});
    audio.render(pastAVoice);
    Keys keys = takeCalls(host, called, 2);
    std::sort(keys.begin(), keys.end());
    EXPECT_EQ(keys, (Keys{7, 11}));

    manager->play(5); // nothing renders, so it plays until stopped
    manager->playThenCall(handOver(host, called), 5);
    manager->shutdownSound();
    EXPECT_EQ(host.runPendingWork(), 0);
    EXPECT_FALSE(manager->hasAudio());
    manager->play(5);
    EXPECT_TRUE(host.takeTexts().empty());
}

// A waiter that a playThenCall racing with the shutdown started after it would find the sound
// gone and call; none may start. The manager's end joins any waiter, so a call it made is seen.
TEST(SoundShutdown, APlayThenCallRacingWithTheShutdownStartsNoWaiter) {
    test::FakeHost host;
    test::serveTestWaves(host);
    Keys called;
    for (int round = 0; round < 40; ++round) {
        {
            test::LoopbackAudio audio;
            ASSERT_NE(audio.context, nullptr);
            SoundManager manager(host, audio.device, audio.context);
            manager.registerSound(5, 109, true);
            manager.play(5); // nothing renders, so it plays until stopped
            std::thread waiting([&] {
                for (int i = 0; i < 20; ++i) {
                    manager.playThenCall(handOver(host, called), 5);
                }
            });
            std::thread closing([&manager] { manager.shutdownSound(); });
            waiting.join();
            closing.join();
        }
        EXPECT_EQ(host.runPendingWork(), 0) << "round " << round;
    }
}

TEST(SoundManagerDevice, WithoutOneEveryCallIsQuietAndWaitsEndAtOnce) {
    test::FakeHost host;
    test::serveTestWaves(host);
    testing::internal::CaptureStderr();
    SoundManager manager(host, nullptr, nullptr);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "velmora: no audio device; running without sound\n");
    manager.registerSound(5, 109, true);
    manager.play(31);
    EXPECT_FALSE(manager.isAnyPlaying());
    EXPECT_EQ(manager.nextFree(), 0);
    EXPECT_TRUE(host.takeTexts().empty());
    // Conversations still go on: the greeting they wait for counts as ended.
    Keys called;
    manager.playThenCall(handOver(host, called), 5);
    EXPECT_EQ(takeCalls(host, called, 1), Keys{5});
}

TEST(SoundManagerDevice, TheInstanceIsMadeOnceOverTheDefaultDevice) {
    // The tests' configuration makes the default device OpenAL Soft's silent null device.
    test::FakeHost host;
    test::serveTestWaves(host);
    SoundManager& manager = SoundManager::create(host);
    EXPECT_EQ(&manager, &SoundManager::create(host));
    EXPECT_EQ(&manager, &SoundManager::instance());
    manager.registerSound(5, 109, true);
    EXPECT_EQ(manager.entry(5).value().source, manager.sourceNames()[0]);
    EXPECT_TRUE(host.takeTexts().empty());
    SoundManager::destroy();
}

} // namespace
} // namespace velmora
