#pragma once

#include <stdexcept>
#include <stop_token>

namespace velmora::platform {

// Thrown by a load whose stop was requested (the program is closing): it ends the load at the
// next line read or tree node built, so that closing never waits for a large world to finish.
class LoadStopped : public std::runtime_error {
  public:
    LoadStopped() : std::runtime_error("the load was stopped") {}
};

inline void throwIfStopRequested(const std::stop_token& stop) {
    if (stop.stop_requested()) {
        throw LoadStopped();
    }
}

} // namespace velmora::platform
