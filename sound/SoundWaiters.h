#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <list>
#include <memory>
#include <mutex>
#include <stop_token>
#include <thread>

namespace velmora {

// The threads that wait for a sound to end and then call a function with its key. They look once
// a second; stopAll ends every one of them at once, without calling its function, and joins it;
// close does the same for good, so that no waiter can start after the sound has shut down.
class SoundWaiters {
  public:
    using Callback = std::function<void(int)>;
    using PlayingQuery = std::function<bool(int)>;

    static constexpr std::chrono::milliseconds checkInterval{1000};

    explicit SoundWaiters(PlayingQuery stillPlaying);
    ~SoundWaiters();

    SoundWaiters(const SoundWaiters&) = delete;
    SoundWaiters& operator=(const SoundWaiters&) = delete;

    // Starts a thread that calls callback(key) once stillPlaying(key) is false; at once when it
    // already is. The callback runs on that thread; it must not stop the waiters itself, and a
    // hand-over to another thread must not wait for that thread.
    // Does nothing once the waiters are closed.
    void start(Callback callback, int key);
    void stopAll();
    void close();

  private:
    // The flag is declared first so that it outlives the thread's join, which writes it last.
    struct Waiter {
        std::atomic<bool> finished{false};
        std::jthread thread;
    };

    void wait(std::stop_token stop, Waiter& waiter, Callback callback, int key);
    void joinFinished();

    PlayingQuery stillPlaying_;
    std::mutex waitersMutex_; // guards waiters_ and closed_
    std::list<std::unique_ptr<Waiter>> waiters_;
    bool closed_ = false;
    std::mutex sleepMutex_;
    std::condition_variable_any wakeUp_;
};

} // namespace velmora
