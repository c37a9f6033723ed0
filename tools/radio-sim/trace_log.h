#pragma once

#include <QString>
#include <cstdio>

#include "link/frames.h"
#include "tools/radio-sim/sim_time.h"

namespace zr::sim {

// One trace line: milliseconds since start, a direction ('>' station to radio,
// '<' radio to station, '#' a note) and the bytes in hex or the note's text.
QString TraceLine(std::chrono::nanoseconds sinceStart, char direction, const Bytes& bytes, const QString& note = {});

// --trace: writes trace lines on a stream (stderr); silent when off.
class TraceLog {
 public:
  TraceLog(bool enabled, TimePoint start, std::FILE* stream = stderr)
      : enabled_(enabled), start_(start), stream_(stream) {}

  // `at`: when it happened; the line may be written a little later, so that
  // tracing never holds up a reply.
  void Received(TimePoint at, const Bytes& bytes, const QString& note = {}) { Write(at, '>', bytes, note); }
  void Sent(TimePoint at, const Bytes& bytes) { Write(at, '<', bytes, {}); }
  void Note(const QString& note) { Write(Clock::now(), '#', {}, note); }

 private:
  void Write(TimePoint at, char direction, const Bytes& bytes, const QString& note);

  bool enabled_;
  TimePoint start_;
  std::FILE* stream_;
};

}  // namespace zr::sim
