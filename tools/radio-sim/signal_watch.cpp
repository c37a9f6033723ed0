#include "tools/radio-sim/signal_watch.h"

#include <pthread.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include "tools/radio-sim/setup_error.h"

namespace zr::sim {

SignalWatch::SignalWatch() {
  sigset_t stops;
  sigemptyset(&stops);
  sigaddset(&stops, SIGTERM);
  sigaddset(&stops, SIGINT);
  sigaddset(&stops, SIGHUP);
  pthread_sigmask(SIG_BLOCK, &stops, nullptr);
  fd_ = UniqueFd(signalfd(-1, &stops, SFD_NONBLOCK | SFD_CLOEXEC));
  // Blocked signals nobody reads would make the simulator unstoppable.
  if (!fd_.Valid()) throw SetupError(QStringLiteral("signalfd failed"));
}

int SignalWatch::Take() {
  signalfd_siginfo info{};
  if (!fd_.Valid() || ::read(fd_.Get(), &info, sizeof info) != static_cast<ssize_t>(sizeof info)) return 0;
  return static_cast<int>(info.ssi_signo);
}

}  // namespace zr::sim
