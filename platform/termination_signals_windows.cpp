// Ctrl+C and the console's closing on Windows: a console control handler in
// place of the blocked signals, its calls delivered on the event loop.
#include <windows.h>

#include <QWinEventNotifier>
#include <atomic>
#include <csignal>

#include "platform/termination_signals.h"

namespace zr::platform {

namespace {

// How long a closing console, a log-off or a shutdown waits for the transfer
// to stop at its frame boundary and the program to end. Windows ends the
// process anyway after about 5 s.
constexpr DWORD kCloseGraceMs = 4500;

// The system calls the handler on a thread of its own with nothing but the
// event's kind, so what it tells the event loop has to be process-wide: one
// event, set when a request came, and the request's signal number.
struct ConsoleRequests {
  HANDLE arrived = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  std::atomic<int> signalNumber{0};
};

ConsoleRequests& Requests() {
  static ConsoleRequests requests;
  return requests;
}

BOOL WINAPI OnConsoleControl(DWORD kind) {
  const bool ending = kind == CTRL_CLOSE_EVENT || kind == CTRL_LOGOFF_EVENT || kind == CTRL_SHUTDOWN_EVENT;
  Requests().signalNumber.store(ending ? SIGTERM : SIGINT);
  SetEvent(Requests().arrived);
  // Returning lets Windows end the process at once; the program's own end
  // ends this wait.
  if (ending) Sleep(kCloseGraceMs);
  return TRUE;
}

}  // namespace

void BlockTerminationSignals() {
  static const bool installed = Requests().arrived != nullptr && SetConsoleCtrlHandler(OnConsoleControl, TRUE);
  (void)installed;
}

TerminationSignals::TerminationSignals(std::function<void(int signalNumber)> onSignal)
    : onSignal_(std::move(onSignal)) {
  BlockTerminationSignals();
  if (Requests().arrived == nullptr) return;
  notifier_ = std::make_unique<QWinEventNotifier>(Requests().arrived);
  QObject::connect(notifier_.get(), &QWinEventNotifier::activated, notifier_.get(), [this] { ReadSignals(); });
}

TerminationSignals::~TerminationSignals() = default;

void TerminationSignals::ReadSignals() {
  ResetEvent(Requests().arrived);
  const int signalNumber = Requests().signalNumber.exchange(0);
  if (signalNumber == 0) return;
  if (received_ == 0) received_ = signalNumber;
  if (onSignal_) onSignal_(signalNumber);
}

}  // namespace zr::platform
