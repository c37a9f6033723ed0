#include "link/transfer_outcome.h"

#include <QStringList>
#include <algorithm>

#include "platform/text_format.h"

namespace zr {

void BlockAsRead::Store(int offset, std::span<const std::uint8_t, FactoryLineSize> line) {
  std::copy(line.begin(), line.end(), bytes.Line(offset).begin());
  lines.set(static_cast<std::size_t>(offset / FactoryLineSize));
}

QString EndName(TransferEnd end) {
  return Latin1(EndingOf(end).name);
}

QString KindName(TransferKind kind) {
  switch (kind) {
    case TransferKind::Read: return QStringLiteral("read");
    case TransferKind::Write: return QStringLiteral("write");
    case TransferKind::ImageWrite: return QStringLiteral("image write");
    case TransferKind::Undo: return QStringLiteral("undo");
  }
  return QString();
}

QString LineOffsetText(int offset) {
  return QStringLiteral("0x") + Hex(static_cast<unsigned>(offset));
}

QString DescribeLines(const std::vector<int>& offsets) {
  if (offsets.empty()) return QStringLiteral("none");
  QStringList lines;
  for (int offset : offsets) lines << LineOffsetText(offset);
  return lines.join(QLatin1Char(' '));
}

std::vector<ByteChange> ChangedBytes(const TransferOutcome& outcome) {
  std::vector<ByteChange> changes;
  if (!outcome.blockSent) return changes;
  for (int line : outcome.linesWritten) {
    if (!outcome.blockAsRead.Holds(line)) continue;
    for (int offset = line; offset < line + FactoryLineSize; ++offset) {
      const std::uint8_t before = outcome.blockAsRead.bytes[offset];
      const std::uint8_t after = (*outcome.blockSent)[offset];
      if (before != after) changes.push_back({offset, before, after});
    }
  }
  return changes;
}

std::vector<int> LinesWrittenUnread(const TransferOutcome& outcome) {
  std::vector<int> lines;
  std::copy_if(outcome.linesWritten.begin(), outcome.linesWritten.end(), std::back_inserter(lines),
               [&](int line) { return !outcome.blockAsRead.Holds(line); });
  return lines;
}

}  // namespace zr
