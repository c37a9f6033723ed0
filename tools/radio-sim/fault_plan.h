#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "tools/radio-sim/frame_reader.h"

namespace zr::sim {

// How many frames a fault applies to: the first `count` that match; none means
// every one.
using FaultCount = std::optional<int>;

// --no-answer: ignore frames of a kind, or reads (writes) of one line.
struct NoAnswerRule {
  FrameKind kind = FrameKind::Program;
  std::optional<std::uint32_t> address;
  FaultCount count;
};

// A fault on one line: --bad-checksum (data replies carry checksum + 1),
// --drop-write (writes acknowledged but not kept).
struct LineRule {
  std::uint32_t address = 0;
  FaultCount count;
};

struct FaultSettings {
  std::vector<NoAnswerRule> noAnswer;
  int repeatRequests = 0;  // write frames answered with a repeat request
  std::vector<LineRule> badChecksum;
  std::vector<LineRule> droppedWrites;
};

// Counts frames against the faults. Every rule counts each frame it matches,
// so `read:1` and `read@0x30:1` both spend themselves on a first read of 0x30.
class FaultPlan {
 public:
  explicit FaultPlan(FaultSettings settings);

  // Whether this frame goes unanswered.
  bool TakeNoAnswer(FrameKind kind, std::uint32_t address);
  // Whether this (valid) write frame gets a repeat request instead of being stored.
  bool TakeRepeatRequest();
  // Whether the data reply for this line gets a wrong checksum.
  bool TakeBadChecksum(std::uint32_t address);
  // Whether this write is acknowledged without being kept (a radio that lies).
  bool TakeDroppedWrite(std::uint32_t address);

 private:
  // A fault's remaining reach: true while it still applies, counting one use.
  struct Budget {
    FaultCount count;
    int used = 0;
    bool Take();
  };

  FaultSettings settings_;
  std::vector<Budget> noAnswer_;
  Budget repeatRequest_;
  std::vector<Budget> badChecksum_;
  std::vector<Budget> droppedWrites_;

  static bool TakeLine(const std::vector<LineRule>& rules, std::vector<Budget>& budgets, std::uint32_t address);
};

}  // namespace zr::sim
