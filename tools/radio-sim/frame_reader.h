#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "link/frames.h"
#include "tools/radio-sim/sim_time.h"

namespace zr::sim {

// A partial frame that gets no further byte for this long is dropped: the
// station has given up on it and will purge and resend.
inline constexpr std::chrono::milliseconds StallLimit{200};

enum class FrameKind { Program, Read, Write, End };

// What the reader made of the bytes from the station, in arrival order.
struct ReaderEvent {
  enum class Type {
    Frame,      // a whole frame of `kind`; its content is not checked yet
    Discarded,  // bytes that start no frame
    Dropped,    // a partial frame that stalled
  };
  Type type;
  FrameKind kind = FrameKind::Program;
  Bytes bytes;
};

// Cuts the byte stream into frames by first byte and length ("PROGRAM" and
// "END" must match as they arrive, so a stray 'P' or 'E' costs one byte).
class FrameReader {
 public:
  std::vector<ReaderEvent> Feed(std::span<const std::uint8_t> bytes, TimePoint now);
  // The partial frame, when it has stalled by `now`.
  std::optional<ReaderEvent> DropStalled(TimePoint now);
  // When the partial frame will count as stalled; none without one.
  std::optional<TimePoint> StallDeadline() const;

 private:
  void Parse(std::vector<ReaderEvent>& events);

  Bytes pending_;
  TimePoint lastByte_{};
};

}  // namespace zr::sim
