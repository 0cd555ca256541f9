#include "SoundTestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <thread>

namespace velmora {
namespace {

using platform::ResourceType;
using test::Bytes;
using test::Texts;
using Keys = std::vector<int>;
using SoundManagerTest = test::ManagerFixture;

// A waiting thread's call, handed to the test's thread as the program hands it to the main one.
SoundManager::Callback handOver(test::FakeHost& host, Keys& called) {
    return [&host, &called](int key) {
        host.runOnMainThread([&called, key] { called.push_back(key); });
    };
}

// Runs what the waiting threads hand over until count keys have come, or until nothing has come
// for a generous while (against a hang, not a measure of speed); gives the keys sorted.
Keys takeCalls(test::FakeHost& host, Keys& called, std::size_t count) {
    while (called.size() < count && host.runPendingWork(std::chrono::seconds(30)) > 0) {
    }
    std::sort(called.begin(), called.end());
    return std::exchange(called, {});
}

// Keys take the pool's pairs in registration order. A wave that does not load leaves its key out;
// one the upload refuses keeps it; a second registration of a key keeps the first.
TEST_F(SoundManagerTest, RegistrationTakesThePairsInOrderUntilThePoolIsFull) {
    const std::string notLoaded = "Unable to load sound resource";
    const std::string uploadFailed = "Error load sounding. Need more buffers?";
    host.removeResource(ResourceType::Wave, 104);
    host.putResource(ResourceType::Wave, 105, {});
    host.putResource(ResourceType::Wave, 110, Bytes(20, 'R'));
    host.putResource(ResourceType::Wave, 114, test::patched(test::testWave(114), 0, 0));
    host.putResource(ResourceType::Wave, 119, test::riffWave(1, 8000, 8, Bytes(100), 7)); // mu-law
    host.putResource(ResourceType::Wave, 120,
                     test::riffWave(2, 8000, 16, Bytes(7))); // half a frame
    const std::tuple<int, int, Texts> registrations[] = {
        {7, 107, {}},
        {7, 110, {}},
        {4, 104, {notLoaded}},
        {5, 105, {notLoaded}},
        {10, 110, {notLoaded}},
        {14, 114, {"Sound Error: RIFF header section doesn't match expected format", notLoaded}},
        {19, 119, {uploadFailed}},
        {20, 120, {uploadFailed}},
    };
    for (const auto& [key, waveId, errors] : registrations) {
        manager->registerSound(key, waveId, true);
        EXPECT_EQ(host.takeTexts(), errors) << key << " " << waveId;
    }
    for (const int key : {4, 5, 10, 14, 31}) {
        manager->play(key);
    }
    const test::FakeHost::Message notInMap{"Sound resource is not in the sound map", "Error",
                                           platform::MessageIcon::Warning};
    EXPECT_EQ(host.takeMessages(), std::vector(5, notInMap));
    for (int key = 100; key < 148; ++key) {
        manager->registerSound(key, 101, true);
    }
    EXPECT_EQ(host.takeTexts(), Texts{uploadFailed});
    for (const auto& [key, pair] : {std::pair{7, 0}, {19, 1}, {20, 2}, {100, 3}, {146, 49}}) {
        const SoundEntry expected{manager->bufferNames()[pair], manager->sourceNames()[pair], 0};
        EXPECT_EQ(manager->entry(key), expected) << key;
    }
    EXPECT_FALSE(manager->entry(147).has_value());
}

TEST_F(SoundManagerTest, PlayThenCallCallsOnceTheSoundHasEndedAndShutdownEndsAWaitUncalled) {
    // A quarter of a second of output: longer than any test voice.
    const int pastAVoice = test::LoopbackAudio::sampleRate / 4 + 1000;
    Keys called;
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
    EXPECT_EQ(takeCalls(host, called, 2), (Keys{7, 11}));

    manager->play(5); // nothing renders, so it plays until stopped
    manager->playThenCall(handOver(host, called), 5);
    manager->shutdownSound();
    // A waiter holds its function, and so the token, until it has called: none may start now.
    const auto token = std::make_shared<int>();
    manager->playThenCall([&, token](int key) { handOver(host, called)(key); }, 5);
    EXPECT_EQ(token.use_count(), 1);
    EXPECT_EQ(host.runPendingWork(), 0);
    EXPECT_FALSE(manager->hasAudio());
    manager->play(5);
    EXPECT_TRUE(host.takeTexts().empty());
}

// A waiter that a playThenCall racing with the shutdown started after it would find the sound
// gone and call; none may start. Each waiter holds a copy of its function, and so of the token,
// until it has called, and the shutdown joins the waiters it stops: once both threads are done,
// only the test and its function hold the token, and nothing has been called.
TEST(SoundShutdown, APlayThenCallRacingWithTheShutdownStartsNoWaiter) {
    test::FakeHost host;
    test::serveTestWaves(host);
    Keys called;
    const auto token = std::make_shared<int>();
    const SoundManager::Callback call = [&, token](int key) { handOver(host, called)(key); };
    for (int round = 0; round < 40; ++round) {
        test::LoopbackAudio audio;
        ASSERT_NE(audio.context, nullptr);
        SoundManager manager(host, audio.device, audio.context);
        manager.registerSound(5, 109, true);
        manager.play(5); // nothing renders, so it plays until stopped
        std::thread waiting([&] {
            for (int i = 0; i < 20; ++i) {
                manager.playThenCall(call, 5);
            }
        });
        std::thread closing([&manager] { manager.shutdownSound(); });
        waiting.join();
        closing.join();
        EXPECT_EQ(token.use_count(), 2) << "round " << round;
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
