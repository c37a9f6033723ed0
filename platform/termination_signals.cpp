#include "platform/termination_signals.h"

#include <pthread.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <csignal>

namespace zr::platform {

namespace {

sigset_t TerminationSet() {
  sigset_t set;
  sigemptyset(&set);
  sigaddset(&set, SIGINT);
  sigaddset(&set, SIGTERM);
  sigaddset(&set, SIGHUP);
  return set;
}

}  // namespace

void BlockTerminationSignals() {
  const sigset_t set = TerminationSet();
  pthread_sigmask(SIG_BLOCK, &set, nullptr);
  std::signal(SIGPIPE, SIG_IGN);
}

TerminationSignals::TerminationSignals(std::function<void(int signalNumber)> onSignal)
    : onSignal_(std::move(onSignal)) {
  const sigset_t set = TerminationSet();
  fd_ = signalfd(-1, &set, SFD_NONBLOCK | SFD_CLOEXEC);
  if (fd_ < 0) {
    pthread_sigmask(SIG_UNBLOCK, &set, nullptr);
    return;
  }
  notifier_ = std::make_unique<QSocketNotifier>(fd_, QSocketNotifier::Read);
  QObject::connect(notifier_.get(), &QSocketNotifier::activated, notifier_.get(), [this] { ReadSignals(); });
}

TerminationSignals::~TerminationSignals() {
  notifier_.reset();
  if (fd_ >= 0) close(fd_);
}

void TerminationSignals::ReadSignals() {
  signalfd_siginfo info{};
  while (read(fd_, &info, sizeof info) == static_cast<ssize_t>(sizeof info)) {
    const int signalNumber = static_cast<int>(info.ssi_signo);
    if (received_ == 0) received_ = signalNumber;
    if (onSignal_) onSignal_(signalNumber);
  }
}

}  // namespace zr::platform
