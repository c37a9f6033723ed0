#pragma once

#include <csignal>

#include "tools/radio-sim/pty_port.h"

namespace zr::sim {

// SIGTERM, SIGINT and SIGHUP as a descriptor the main loop polls, so a stop
// request ends the loop normally and the link is removed on the way out.
// Make it first thing in main(), before any other thread can exist. The
// signals stay blocked for the rest of the process, so one that comes late
// cannot kill it on its way out.
class SignalWatch {
 public:
  SignalWatch();
  SignalWatch(const SignalWatch&) = delete;
  SignalWatch& operator=(const SignalWatch&) = delete;

  int Fd() const { return fd_.Get(); }
  // The signal that arrived, 0 when none did.
  int Take();

 private:
  UniqueFd fd_;
};

}  // namespace zr::sim
