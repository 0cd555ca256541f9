#pragma once

#include "platform/Host.h"

namespace velmora {

// The order the program starts and ends in, in one place: the World and the sound manager (which
// shows its errors through the host) are made before any thread starts, and go after every
// thread has been joined: a WindowProcedure made after this object is destroyed before it, and
// its onDestroy joins the threads. The host outlives this object. Used by velmora,
// velmora-snap, the benchmarks and the tests, so that none of them writes the order out again.
class ProgramLifetime {
  public:
    explicit ProgramLifetime(platform::Host& host);
    ~ProgramLifetime();
    ProgramLifetime(const ProgramLifetime&) = delete;
    ProgramLifetime& operator=(const ProgramLifetime&) = delete;

  private:
    platform::Host& host_;
};

} // namespace velmora
