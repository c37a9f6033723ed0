#pragma once

#include <chrono>
#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

#include "link/frames.h"
#include "tools/radio-sim/sim_time.h"

namespace zr::sim {

// How replies go out on the line.
struct OutputTiming {
  std::chrono::milliseconds delay{0};  // before each reply
  std::chrono::milliseconds split{0};  // pause between the two halves of a reply; 0 sends it whole
  bool pace = false;                   // each byte takes its wire time at 921600 baud, 8N1
};

// Time for `count` bytes on the line: 10 bits each at 921600 baud. Computed
// from the count, not added up byte by byte, so long replies do not drift.
std::chrono::nanoseconds WireTime(std::size_t count);

// The bytes waiting to go to the station, each with the moment it is due.
// Replies go out in order and never overlap on the line.
class ReplySchedule {
 public:
  explicit ReplySchedule(OutputTiming timing) : timing_(timing) {}

  // A reply to a frame that was complete at `received`.
  void Add(const Bytes& reply, TimePoint received);

  struct Due {
    Bytes bytes;                   // to write now, in order
    std::vector<Bytes> completed;  // replies whose last byte is among them
  };
  // The bytes due by `now`, stopping after `replyLimit` completed replies.
  Due TakeDue(TimePoint now, std::size_t replyLimit = SIZE_MAX);

  std::optional<TimePoint> NextDeadline() const;
  bool Empty() const { return bytes_.empty(); }
  void Clear();

 private:
  // Queues `count` bytes of `reply` from `first` on, starting at `start`; returns
  // when the line is free again.
  TimePoint AddPart(const Bytes& reply, std::size_t first, std::size_t count, TimePoint start);

  struct PendingByte {
    std::uint8_t value;
    TimePoint due;
    bool endsReply;
  };

  OutputTiming timing_;
  std::deque<PendingByte> bytes_;
  std::deque<Bytes> replies_;
  TimePoint lineFree_{};
};

}  // namespace zr::sim
