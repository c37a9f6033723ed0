#include "tools/radio-sim/sim_loop.h"

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>

#include "tools/radio-sim/pty_port.h"
#include "tools/radio-sim/radio_model.h"
#include "tools/radio-sim/reply_schedule.h"
#include "tools/radio-sim/trace_log.h"

namespace zr::sim {

namespace {

using std::chrono::milliseconds;

// A link removed from outside is noticed within this time.
constexpr milliseconds LinkCheckInterval{25};
// Before pulling the cable, give the station time to take the last reply: the
// pseudo-terminal drops unread bytes when it closes.
constexpr milliseconds DrainSettle{20};
constexpr milliseconds DrainLimit{250};
constexpr milliseconds DrainPoll{2};

timespec Timeout(TimePoint now, TimePoint wake) {
  const auto wait = std::max(std::chrono::nanoseconds(0), wake - now);
  const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(wait);
  return {static_cast<time_t>(seconds.count()), static_cast<long>((wait - seconds).count())};
}

class Simulator {
 public:
  Simulator(const SimOptions& options, SignalWatch& stops)
      : options_(options),
        signals_(stops),
        trace_(options.trace, Clock::now()),
        model_(InitialBlock(options.block), options.faults, Saver(options.block.imagePath)),
        schedule_(options.timing),
        port_(options.portDir, options.port) {}

  int Run();

 private:
  static RadioModel::SaveBlock Saver(const QString& path) {
    if (path.isEmpty()) return {};
    return [path](const FactoryImage& block) {
      const QString error = SaveBlockFile(path, block);
      // Not only in the trace: the operator must learn that writes are not kept.
      if (!error.isEmpty()) std::fprintf(stderr, "zr93kw-radio-sim: write not kept: %s\n", qPrintable(error));
      return error;
    };
  }

  // Replies written in one go, for the trace.
  struct Sent {
    TimePoint at;
    std::vector<Bytes> replies;
  };

  void ReadStation();
  Sent SendDue();
  void TraceSent(const Sent& sent);
  void Write(const Bytes& bytes);
  bool Drained(TimePoint now) const;
  void StartUnplugging(TimePoint now);

  const SimOptions& options_;
  SignalWatch& signals_;
  TraceLog trace_;
  RadioModel model_;
  ReplySchedule schedule_;
  PtyPort port_;
  int answered_ = 0;
  std::optional<TimePoint> unplugging_;  // since when, once the last frame is answered
};

int Simulator::Run() {
  std::printf("ready %s %s\n", qPrintable(port_.PortName()), qPrintable(port_.SlavePath()));
  std::fflush(stdout);
  TimePoint nextLinkCheck = Clock::now() + LinkCheckInterval;
  if (options_.unplugAfter == 0) StartUnplugging(Clock::now());

  for (;;) {
    TimePoint now = Clock::now();
    TimePoint wake = nextLinkCheck;
    const auto wakeBy = [&wake](std::optional<TimePoint> deadline) {
      if (deadline && *deadline < wake) wake = *deadline;
    };
    if (unplugging_) {
      wakeBy(now + DrainPoll);
    } else {
      wakeBy(model_.StallDeadline());
      wakeBy(schedule_.NextDeadline());
    }
    pollfd fds[] = {{port_.MasterFd(), POLLIN, 0}, {signals_.Fd(), POLLIN, 0}};
    const timespec timeout = Timeout(now, wake);
    if (ppoll(fds, 2, &timeout, nullptr) < 0 && errno != EINTR) {
      std::perror("zr93kw-radio-sim: ppoll");
      return 1;
    }
    if ((fds[1].revents & POLLIN) != 0) {
      if (const int signal = signals_.Take(); signal != 0) {
        trace_.Note(QStringLiteral("signal %1, stopping").arg(signal));
        return 0;
      }
    }
    if ((fds[0].revents & (POLLERR | POLLHUP | POLLNVAL)) != 0) {
      std::fprintf(stderr, "zr93kw-radio-sim: the pseudo-terminal failed\n");
      return 1;
    }
    if ((fds[0].revents & POLLIN) != 0) ReadStation();

    now = Clock::now();
    if (!unplugging_) {
      if (std::optional<Exchange> dropped = model_.DropStalled(now)) {
        trace_.Received(now, dropped->received, dropped->note);
      }
      TraceSent(SendDue());
    }
    if (unplugging_ && Drained(Clock::now())) {
      port_.Unplug();
      trace_.Note(QStringLiteral("cable pulled after %1 answers").arg(answered_));
      return 0;
    }
    if (now >= nextLinkCheck) {
      if (!port_.LinkIntact()) {
        trace_.Note(QStringLiteral("%1 removed, cable pulled").arg(port_.LinkPath()));
        return 0;
      }
      nextLinkCheck = now + LinkCheckInterval;
    }
  }
}

void Simulator::ReadStation() {
  std::uint8_t buffer[512];
  for (;;) {
    const ssize_t count = ::read(port_.MasterFd(), buffer, sizeof buffer);
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) return;
    const std::span<const std::uint8_t> bytes(buffer, static_cast<std::size_t>(count));
    const TimePoint now = Clock::now();
    if (unplugging_) {
      trace_.Received(now, Bytes(bytes.begin(), bytes.end()), QStringLiteral("not answered, cable being pulled"));
      continue;
    }
    const std::vector<Exchange> exchanges = model_.Receive(bytes, now);
    for (const Exchange& exchange : exchanges) schedule_.Add(exchange.reply, now);
    // Unpaced, undelayed replies go out at once; the trace comes after them.
    const Sent sent = SendDue();
    for (const Exchange& exchange : exchanges) trace_.Received(now, exchange.received, exchange.note);
    TraceSent(sent);
  }
}

Simulator::Sent Simulator::SendDue() {
  if (unplugging_) return {};
  const std::size_t limit =
      options_.unplugAfter ? static_cast<std::size_t>(std::max(0, *options_.unplugAfter - answered_)) : SIZE_MAX;
  ReplySchedule::Due due = schedule_.TakeDue(Clock::now(), limit);
  if (!due.bytes.empty()) Write(due.bytes);
  const Sent sent{Clock::now(), std::move(due.completed)};
  answered_ += static_cast<int>(sent.replies.size());
  if (options_.unplugAfter && answered_ >= *options_.unplugAfter) StartUnplugging(sent.at);
  return sent;
}

void Simulator::TraceSent(const Sent& sent) {
  for (const Bytes& reply : sent.replies) trace_.Sent(sent.at, reply);
}

void Simulator::Write(const Bytes& bytes) {
  std::size_t written = 0;
  while (written < bytes.size()) {
    const ssize_t count = ::write(port_.MasterFd(), bytes.data() + written, bytes.size() - written);
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) {
      // Nobody is reading and the line's buffer is full: like a real line, it
      // overruns rather than stall the radio.
      trace_.Note(QStringLiteral("%1 bytes lost, the station does not read").arg(bytes.size() - written));
      return;
    }
    written += static_cast<std::size_t>(count);
  }
}

void Simulator::StartUnplugging(TimePoint now) {
  if (unplugging_) return;
  unplugging_ = now;
  schedule_.Clear();
}

bool Simulator::Drained(TimePoint now) const {
  const auto since = now - *unplugging_;
  return since >= DrainLimit || (since >= DrainSettle && port_.UnreadByStation() == 0);
}

}  // namespace

int RunSimulator(const SimOptions& options, SignalWatch& stops) {
  Simulator simulator(options, stops);
  return simulator.Run();
}

}  // namespace zr::sim
