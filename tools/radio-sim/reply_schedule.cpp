#include "tools/radio-sim/reply_schedule.h"

#include <algorithm>

namespace zr::sim {

namespace {

constexpr std::int64_t BaudRate = 921600;
constexpr std::int64_t BitsPerByte = 10;  // start bit, 8 data bits, stop bit

}  // namespace

std::chrono::nanoseconds WireTime(std::size_t count) {
  return std::chrono::nanoseconds(static_cast<std::int64_t>(count) * BitsPerByte * 1'000'000'000 / BaudRate);
}

void ReplySchedule::Add(const Bytes& reply, TimePoint received) {
  if (reply.empty()) return;
  TimePoint start = std::max(received + timing_.delay, lineFree_);
  const bool split = timing_.split.count() > 0 && reply.size() > 1;
  const std::size_t firstHalf = split ? reply.size() / 2 : reply.size();
  TimePoint end = AddPart(reply, 0, firstHalf, start);
  if (split) end = AddPart(reply, firstHalf, reply.size() - firstHalf, end + timing_.split);
  bytes_.back().endsReply = true;
  replies_.push_back(reply);
  lineFree_ = end;
}

TimePoint ReplySchedule::AddPart(const Bytes& reply, std::size_t first, std::size_t count, TimePoint start) {
  for (std::size_t i = 0; i < count; ++i) {
    // A paced byte is due when its stop bit has gone out.
    const TimePoint due = timing_.pace ? start + WireTime(i + 1) : start;
    bytes_.push_back({reply[first + i], due, false});
  }
  return timing_.pace ? start + WireTime(count) : start;
}

ReplySchedule::Due ReplySchedule::TakeDue(TimePoint now, std::size_t replyLimit) {
  Due due;
  while (!bytes_.empty() && bytes_.front().due <= now && due.completed.size() < replyLimit) {
    due.bytes.push_back(bytes_.front().value);
    if (bytes_.front().endsReply) {
      due.completed.push_back(std::move(replies_.front()));
      replies_.pop_front();
    }
    bytes_.pop_front();
  }
  return due;
}

std::optional<TimePoint> ReplySchedule::NextDeadline() const {
  if (bytes_.empty()) return std::nullopt;
  return bytes_.front().due;
}

void ReplySchedule::Clear() {
  bytes_.clear();
  replies_.clear();
}

}  // namespace zr::sim
