#pragma once

#include <QString>
#include <QtGlobal>
#include <bitset>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "link/serial_device.h"
#include "link/transfer_end.h"
#include "record/factory_image.h"

namespace zr {

// What a transfer was asked to do.
enum class TransferKind { Read, Write, ImageWrite, Undo };

// The radio's block as the station read it, before anything was written, and
// which of its lines were read.
struct BlockAsRead {
  FactoryImage bytes;
  FactoryLines lines;

  bool Holds(int offset) const { return lines.test(static_cast<std::size_t>(offset / FactoryLineSize)); }
  bool Whole() const { return lines.all(); }
  void Store(int offset, std::span<const std::uint8_t, FactoryLineSize> line);
};

// One byte a write changed on the radio.
struct ByteChange {
  int offset;
  std::uint8_t before;
  std::uint8_t after;
  friend bool operator==(const ByteChange&, const ByteChange&) = default;
};

struct TransferOutcome {
  TransferEnd end = TransferEnd::Interrupted;
  // Why, in words: the exception's message, the serial port's error, the
  // driver's message. Empty for a plain success.
  QString cause{};
  // Block offsets of the lines the radio acknowledged writing, in order.
  std::vector<int> linesWritten{};

  TransferKind kind = TransferKind::Read;
  QString device{};  // the device the port opened; empty when it did not open
  // Why the port did not open (PortNotOpened), where the station knows more.
  PortOpenError portOpenError = PortOpenError::None;
  int frames = 0;   // frames sent, resends not counted
  int resends = 0;
  qint64 durationMs = 0;
  BlockAsRead blockAsRead{};
  // The block a write's lines were taken from, once it was made.
  std::optional<FactoryImage> blockSent{};
  // Where the radio's block was saved before the first write frame.
  QString backupPath{};
  // The write's id in the station log's "write started" entry; empty without one.
  QString writeId{};
  // Lines that read back different from what was written.
  std::vector<int> linesMismatched{};

  bool Succeeded() const { return EndingOf(end).exitStatus == ExitStatus::Success; }
};

// "read complete", "communication failed", ...: the end in a few words.
QString EndName(TransferEnd end);

// The transfer did what it was asked.
inline bool WentThrough(const TransferOutcome& outcome) { return EndingOf(outcome.end).wentThrough; }

// "read", "write", "image write", "undo".
QString KindName(TransferKind kind);

// "0x30" for the line at block offset 0x30.
QString LineOffsetText(int offset);

// "0x00 0x20 0x40" for the lines a transfer wrote; "none" when it wrote none.
QString DescribeLines(const std::vector<int>& offsets);

// The bytes the write changed on the radio: in the lines it acknowledged,
// where the station had read the line before and the byte differs.
std::vector<ByteChange> ChangedBytes(const TransferOutcome& outcome);

// Lines the radio acknowledged writing whose earlier bytes the station never
// read (a write without a backup): what they held before is not known.
std::vector<int> LinesWrittenUnread(const TransferOutcome& outcome);

}  // namespace zr
