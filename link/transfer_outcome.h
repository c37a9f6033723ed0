#pragma once

#include <QString>
#include <vector>

namespace zr {

// How a transfer ended. The window shows its fixed texts for these; the
// command line turns them into exit statuses; a log records them.
enum class TransferEnd {
  ReadComplete,
  WriteComplete,
  AssociationMissing,   // radio written; the operator left the association missing
  WriteRefused,         // "write error": nothing written
  ModelError,           // not this model: nothing written
  CommunicationFailed,  // no valid reply after the resends
  PortNotOpened,        // nothing sent
  DatabaseFailed,       // radio written; the association could not be recorded
  RuntimeError,         // a value the block, the window or a field cannot take
  Interrupted,          // stopped at a frame boundary, or the port closed under it
};

struct TransferOutcome {
  TransferEnd end = TransferEnd::Interrupted;
  // Why, in words: the exception's message, the serial port's error, the
  // driver's message. Empty for a plain success.
  QString cause;
  // Block offsets of the lines the radio acknowledged writing, in order.
  std::vector<int> linesWritten;

  bool Succeeded() const { return end == TransferEnd::ReadComplete || end == TransferEnd::WriteComplete; }
};

// "read complete", "communication failed", ...: the end in a few words.
QString EndName(TransferEnd end);

// "0x00 0x20 0x40" for the lines a transfer wrote; "none" when it wrote none.
QString DescribeLines(const std::vector<int>& offsets);

}  // namespace zr
