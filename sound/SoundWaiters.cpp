#include "sound/SoundWaiters.h"

#include <utility>

namespace velmora {

SoundWaiters::SoundWaiters(PlayingQuery stillPlaying) : stillPlaying_(std::move(stillPlaying)) {}

SoundWaiters::~SoundWaiters() {
    stopAll();
}

void SoundWaiters::start(Callback callback, int key) {
    std::lock_guard lock(waitersMutex_);
    if (closed_) {
        return;
    }
    joinFinished();
    auto waiter = std::make_unique<Waiter>();
    Waiter& started = *waiter;
    waiters_.push_back(std::move(waiter));
    started.thread = std::jthread([this, &started, callback, key](std::stop_token stop) {
        wait(stop, started, callback, key);
    });
}

void SoundWaiters::close() {
    {
        std::lock_guard lock(waitersMutex_);
        closed_ = true;
    }
    stopAll();
}

void SoundWaiters::stopAll() {
    std::list<std::unique_ptr<Waiter>> stopping;
    {
        std::lock_guard lock(waitersMutex_);
        stopping.swap(waiters_);
    }
    for (auto& waiter : stopping) {
        waiter->thread.request_stop();
    }
    // Destroying the list joins every thread; a stop request wakes a sleeping one at once.
}

void SoundWaiters::wait(std::stop_token stop, Waiter& waiter, Callback callback, int key) {
    while (!stop.stop_requested() && stillPlaying_(key)) {
        std::unique_lock lock(sleepMutex_);
        wakeUp_.wait_for(lock, stop, checkInterval, [] { return false; });
    }
    if (!stop.stop_requested()) {
        callback(key);
    }
    waiter.finished = true;
}

// Joins the threads that have called their function; they are at their very end.
void SoundWaiters::joinFinished() {
    std::erase_if(waiters_,
                  [](const std::unique_ptr<Waiter>& waiter) { return waiter->finished.load(); });
}

} // namespace velmora
