#pragma once

#include <functional>
#include <memory>

class QSocketNotifier;
class QWinEventNotifier;

namespace zr::platform {

// Blocks SIGINT, SIGTERM and SIGHUP for this thread and the threads it starts
// later, and ignores SIGPIPE (a vanished port reader must not end the
// program). Call it first in main, before the application object and any
// thread exist: a thread that does not block them would take them by their
// default action and end the program at once.
// On Windows (termination_signals_windows.cpp) it takes the console's Ctrl+C
// and Ctrl+Break as SIGINT and its closing, a log-off and a shutdown as
// SIGTERM, through SetConsoleCtrlHandler.
void BlockTerminationSignals();

// Delivers the termination signals that BlockTerminationSignals holds back
// as calls on the event loop of the thread that creates it (needs a
// QCoreApplication); one that arrived before it was created comes too.
// Should the system refuse, this thread unblocks them again, so that they
// still end the program.
class TerminationSignals {
 public:
  explicit TerminationSignals(std::function<void(int signalNumber)> onSignal);
  ~TerminationSignals();
  TerminationSignals(const TerminationSignals&) = delete;
  TerminationSignals& operator=(const TerminationSignals&) = delete;

  // The first signal received, 0 before any.
  int Received() const { return received_; }

 private:
  void ReadSignals();

  std::function<void(int)> onSignal_;
  int received_ = 0;
#ifdef _WIN32
  std::unique_ptr<QWinEventNotifier> notifier_;
#else
  int fd_ = -1;
  std::unique_ptr<QSocketNotifier> notifier_;
#endif
};

}  // namespace zr::platform
