#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

#include "link/frames.h"
#include "record/factory_image.h"
#include "tools/radio-sim/fault_plan.h"
#include "tools/radio-sim/frame_reader.h"
#include "tools/radio-sim/sim_time.h"

namespace zr::sim {

// One thing the radio received and what it did about it.
struct Exchange {
  ReaderEvent::Type type = ReaderEvent::Type::Frame;
  Bytes received;
  Bytes reply;   // empty: no answer
  QString note;  // why the answer is missing or unusual; empty for a plain exchange
};

// The radio's side of the protocol over its 256-byte factory block, with the
// faults it was asked to show. No I/O: bytes and time in, replies out.
class RadioModel {
 public:
  // Keeps the block after an accepted write, before the write is acknowledged.
  // Returns an error text, empty when saved; on an error the write is undone
  // and not answered, so the station never takes a lost write for a good one.
  using SaveBlock = std::function<QString(const FactoryImage&)>;

  RadioModel(const FactoryImage& block, FaultSettings faults, SaveBlock save = {});

  std::vector<Exchange> Receive(std::span<const std::uint8_t> bytes, TimePoint now);
  std::optional<Exchange> DropStalled(TimePoint now);
  std::optional<TimePoint> StallDeadline() const { return reader_.StallDeadline(); }

  // The answer to one whole frame.
  Exchange Answer(FrameKind kind, const Bytes& frame);

  const FactoryImage& Block() const { return block_; }

 private:
  Exchange AnswerRead(const Bytes& frame);
  Exchange AnswerWrite(const Bytes& frame);

  FrameReader reader_;
  FaultPlan faults_;
  FactoryImage block_;
  SaveBlock save_;
};

// Whether `address` starts one of the block's 16 lines.
bool IsBlockLine(std::uint32_t address);

}  // namespace zr::sim
