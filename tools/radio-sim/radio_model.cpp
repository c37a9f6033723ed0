#include "tools/radio-sim/radio_model.h"

#include <algorithm>
#include <array>
#include <utility>

#include "platform/text_format.h"

namespace zr::sim {

namespace {

constexpr std::uint8_t ErasedByte = 0xFF;
constexpr int DataStart = 6;  // first data byte of a write frame or data reply

Exchange Reply(const Bytes& frame, Bytes reply, QString note = {}) {
  return {ReaderEvent::Type::Frame, frame, std::move(reply), std::move(note)};
}

Exchange Silence(const Bytes& frame, QString note) { return Reply(frame, {}, std::move(note)); }

QString AddressText(std::uint32_t value) {
  return QStringLiteral("0x") + Hex(value, 8);
}

}  // namespace

bool IsBlockLine(std::uint32_t address) {
  return address >= FactoryBase && address <= FactoryBase + FactoryImageSize - FactoryLineSize &&
         (address - FactoryBase) % FactoryLineSize == 0;
}

RadioModel::RadioModel(const FactoryImage& block, FaultSettings faults, SaveBlock save)
    : faults_(std::move(faults)), block_(block), save_(std::move(save)) {}

std::vector<Exchange> RadioModel::Receive(std::span<const std::uint8_t> bytes, TimePoint now) {
  std::vector<Exchange> exchanges;
  for (ReaderEvent& event : reader_.Feed(bytes, now)) {
    switch (event.type) {
      case ReaderEvent::Type::Frame:
        exchanges.push_back(Answer(event.kind, event.bytes));
        break;
      case ReaderEvent::Type::Discarded:
        exchanges.push_back({event.type, std::move(event.bytes), {}, QStringLiteral("starts no frame, discarded")});
        break;
      case ReaderEvent::Type::Dropped:
        exchanges.push_back({event.type, std::move(event.bytes), {}, QStringLiteral("partial frame stalled, dropped")});
        break;
    }
  }
  return exchanges;
}

std::optional<Exchange> RadioModel::DropStalled(TimePoint now) {
  std::optional<ReaderEvent> dropped = reader_.DropStalled(now);
  if (!dropped) return std::nullopt;
  return Exchange{dropped->type, std::move(dropped->bytes), {}, QStringLiteral("partial frame stalled, dropped")};
}

Exchange RadioModel::Answer(FrameKind kind, const Bytes& frame) {
  switch (kind) {
    case FrameKind::Program:
      if (faults_.TakeNoAnswer(kind, 0)) return Silence(frame, QStringLiteral("no answer (fault)"));
      return Reply(frame, {'T', 'K', AckByte});
    case FrameKind::End:
      if (faults_.TakeNoAnswer(kind, 0)) return Silence(frame, QStringLiteral("no answer (fault)"));
      return Reply(frame, {AckByte});
    case FrameKind::Read:
      return AnswerRead(frame);
    case FrameKind::Write:
      return AnswerWrite(frame);
  }
  return Silence(frame, QStringLiteral("unknown frame"));
}

Exchange RadioModel::AnswerRead(const Bytes& frame) {
  if (frame[5] != LineLength) {
    return Silence(frame, QStringLiteral("read request for %1 bytes, not answered").arg(frame[5]));
  }
  const std::uint32_t address = FrameAddress(frame);
  if (faults_.TakeNoAnswer(FrameKind::Read, address)) return Silence(frame, QStringLiteral("no answer (fault)"));

  std::array<std::uint8_t, LineLength> data;
  if (IsBlockLine(address)) {
    const auto line = block_.Line(static_cast<int>(address - FactoryBase));
    std::copy(line.begin(), line.end(), data.begin());
  } else {
    data.fill(ErasedByte);  // memory the radio does not use
  }
  Bytes reply = BuildWriteFrame(address, data);
  if (faults_.TakeBadChecksum(address)) {
    ++reply[22];
    return Reply(frame, std::move(reply), QStringLiteral("checksum + 1 (fault)"));
  }
  return Reply(frame, std::move(reply));
}

Exchange RadioModel::AnswerWrite(const Bytes& frame) {
  // A write frame has the layout of a data reply, so the same test applies.
  if (!IsDataReply(frame)) return Silence(frame, QStringLiteral("bad write frame, not answered"));
  const std::uint32_t address = FrameAddress(frame);
  if (!IsBlockLine(address)) {
    // Acknowledging would tell the station its data is kept when it is not.
    return Silence(frame, QStringLiteral("write to %1, outside the block, not answered").arg(AddressText(address)));
  }
  if (faults_.TakeNoAnswer(FrameKind::Write, address)) return Silence(frame, QStringLiteral("no answer (fault)"));
  if (faults_.TakeRepeatRequest()) return Reply(frame, {RepeatRequestByte}, QStringLiteral("repeat request (fault)"));
  if (faults_.TakeDroppedWrite(address)) return Reply(frame, {AckByte}, QStringLiteral("acknowledged, not kept (fault)"));

  const FactoryImage before = block_;
  const auto line = block_.Line(static_cast<int>(address - FactoryBase));
  std::copy(frame.begin() + DataStart, frame.begin() + DataStart + LineLength, line.begin());
  if (save_) {
    const QString error = save_(block_);
    if (!error.isEmpty()) {
      block_ = before;
      return Silence(frame, QStringLiteral("write not kept: %1").arg(error));
    }
  }
  return Reply(frame, {AckByte});
}

}  // namespace zr::sim
