#include "tools/radio-sim/frame_reader.h"

#include <algorithm>
#include <string_view>

namespace zr::sim {

namespace {

constexpr std::string_view ProgramText = "PROGRAM";
constexpr std::string_view EndText = "END";
constexpr std::size_t ReadRequestLength = 6;

std::optional<FrameKind> KindOf(std::uint8_t first) {
  switch (first) {
    case 'P':
      return FrameKind::Program;
    case ReadRequestCode:
      return FrameKind::Read;
    case WriteFrameCode:
      return FrameKind::Write;
    case 'E':
      return FrameKind::End;
    default:
      return std::nullopt;
  }
}

std::size_t LengthOf(FrameKind kind) {
  switch (kind) {
    case FrameKind::Program:
      return ProgramText.size();
    case FrameKind::Read:
      return ReadRequestLength;
    case FrameKind::Write:
      return DataReplyLength;
    case FrameKind::End:
      return EndText.size();
  }
  return 1;
}

// Whether the bytes so far can still become the fixed text of a text frame.
bool MatchesSoFar(FrameKind kind, const Bytes& pending) {
  std::string_view text;
  if (kind == FrameKind::Program) {
    text = ProgramText;
  } else if (kind == FrameKind::End) {
    text = EndText;
  } else {
    return true;
  }
  const std::size_t count = std::min(pending.size(), text.size());
  return std::equal(pending.begin(), pending.begin() + static_cast<std::ptrdiff_t>(count), text.begin());
}

void AddDiscarded(std::vector<ReaderEvent>& events, std::uint8_t byte) {
  if (events.empty() || events.back().type != ReaderEvent::Type::Discarded) {
    events.push_back({ReaderEvent::Type::Discarded, FrameKind::Program, {}});
  }
  events.back().bytes.push_back(byte);
}

}  // namespace

std::vector<ReaderEvent> FrameReader::Feed(std::span<const std::uint8_t> bytes, TimePoint now) {
  std::vector<ReaderEvent> events;
  if (bytes.empty()) return events;
  if (auto dropped = DropStalled(now)) events.push_back(std::move(*dropped));
  pending_.insert(pending_.end(), bytes.begin(), bytes.end());
  lastByte_ = now;
  Parse(events);
  return events;
}

void FrameReader::Parse(std::vector<ReaderEvent>& events) {
  while (!pending_.empty()) {
    const std::optional<FrameKind> kind = KindOf(pending_.front());
    if (!kind || !MatchesSoFar(*kind, pending_)) {
      AddDiscarded(events, pending_.front());
      pending_.erase(pending_.begin());
      continue;
    }
    const std::size_t length = LengthOf(*kind);
    if (pending_.size() < length) return;
    const auto end = pending_.begin() + static_cast<std::ptrdiff_t>(length);
    events.push_back({ReaderEvent::Type::Frame, *kind, Bytes(pending_.begin(), end)});
    pending_.erase(pending_.begin(), end);
  }
}

std::optional<ReaderEvent> FrameReader::DropStalled(TimePoint now) {
  const std::optional<TimePoint> deadline = StallDeadline();
  if (!deadline || now <= *deadline) return std::nullopt;
  ReaderEvent dropped{ReaderEvent::Type::Dropped, FrameKind::Program, std::move(pending_)};
  pending_.clear();
  return dropped;
}

std::optional<TimePoint> FrameReader::StallDeadline() const {
  if (pending_.empty()) return std::nullopt;
  return lastByte_ + StallLimit;
}

}  // namespace zr::sim
