#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>

namespace velmora::platform {

// Work handed to a main thread that has no event loop of its own: other threads post, the main
// thread runs what is pending. Once closed, posted work is dropped.
class MainThreadQueue {
  public:
    void post(std::function<void()> work);
    // Runs the work pending now, in posting order, after waiting up to `wait` for the first.
    // Returns how many ran.
    int runPending(std::chrono::milliseconds wait = std::chrono::milliseconds(0));
    void close();

  private:
    std::mutex mutex_;
    std::condition_variable posted_;
    std::deque<std::function<void()>> work_;
    bool closed_ = false;
};

} // namespace velmora::platform
