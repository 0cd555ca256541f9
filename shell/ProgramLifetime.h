#pragma once

#include "platform/Host.h"

namespace velmora {

// The order the program starts and ends in, in one place: the host is installed, then the World
// and the sound manager are made before any thread starts; at the end they go after every
// thread has been joined (a WindowProcedure made after this object is destroyed before it, and
// its onDestroy joins the threads), and the host is uninstalled last. Used by velmora,
// velmora-snap, the benchmarks and the tests, so that none of them writes the order out again.
class ProgramLifetime {
  public:
    explicit ProgramLifetime(platform::Host& host);
    ~ProgramLifetime();
    ProgramLifetime(const ProgramLifetime&) = delete;
    ProgramLifetime& operator=(const ProgramLifetime&) = delete;

    platform::Host& host() const { return host_; }

  private:
    platform::Host& host_;
};

} // namespace velmora
