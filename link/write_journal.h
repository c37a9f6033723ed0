#pragma once

#include <QString>
#include <QtGlobal>
#include <vector>

#include "link/transfer_outcome.h"

namespace zr {

// Writes down, durably, that a write is about to change a radio, before its
// first write frame: so that a station killed half-way still leaves a trace
// naming the radio and its backup.
class WriteJournal {
 public:
  virtual ~WriteJournal() = default;
  // `progress` holds the radio's block as read, the backup's path and the
  // kind of write; `lines` the lines about to be written. Returns the write's
  // id, which the write's outcome repeats. Raises RuntimeError
  // (record/runtime_error.h) with the cause in words when it cannot.
  virtual QString WriteStarting(const TransferOutcome& progress, qint16 comPort, const std::vector<int>& lines) = 0;
};

}  // namespace zr
