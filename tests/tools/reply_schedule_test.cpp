#include "tools/radio-sim/reply_schedule.h"

#include <gtest/gtest.h>

namespace zr::sim {
namespace {

using std::chrono::milliseconds;
using std::chrono::nanoseconds;

const TimePoint T0{};
const Bytes Reply24(24, 0x57);

TEST(ReplySchedule, PlainReplyIsDueAtOnce) {
  ReplySchedule schedule({});
  schedule.Add({'T', 'K', 0x06}, T0);
  EXPECT_EQ(schedule.NextDeadline(), T0);
  const ReplySchedule::Due due = schedule.TakeDue(T0);
  EXPECT_EQ(due.bytes, (Bytes{'T', 'K', 0x06}));
  ASSERT_EQ(due.completed.size(), 1u);
  EXPECT_TRUE(schedule.Empty());
}

TEST(ReplySchedule, DelayAndSplitPlaceTheHalves) {
  ReplySchedule schedule({milliseconds(5), milliseconds(3), false});
  schedule.Add(Reply24, T0);
  EXPECT_TRUE(schedule.TakeDue(T0 + milliseconds(4)).bytes.empty());
  const ReplySchedule::Due first = schedule.TakeDue(T0 + milliseconds(7));
  EXPECT_EQ(first.bytes.size(), 12u);
  EXPECT_TRUE(first.completed.empty());
  EXPECT_EQ(schedule.NextDeadline(), T0 + milliseconds(8));
  const ReplySchedule::Due second = schedule.TakeDue(T0 + milliseconds(8));
  EXPECT_EQ(second.bytes.size(), 12u);
  EXPECT_EQ(second.completed.size(), 1u);

  // A one-byte reply is not split.
  schedule.Add({0x06}, T0 + milliseconds(10));
  EXPECT_EQ(schedule.TakeDue(T0 + milliseconds(15)).completed.size(), 1u);
}

TEST(ReplySchedule, PacedReplyTakesItsWireTimeWithoutDrift) {
  EXPECT_EQ(WireTime(92160), std::chrono::seconds(1));  // 921600 baud, 10 bits a byte
  EXPECT_EQ(WireTime(1), nanoseconds(10850));

  ReplySchedule schedule({milliseconds(0), milliseconds(0), true});
  schedule.Add(Reply24, T0);
  schedule.Add({0x06}, T0);  // waits for the line
  EXPECT_EQ(schedule.NextDeadline(), T0 + WireTime(1));
  EXPECT_EQ(schedule.TakeDue(T0 + WireTime(10)).bytes.size(), 10u);
  const ReplySchedule::Due rest = schedule.TakeDue(T0 + WireTime(24));
  EXPECT_EQ(rest.bytes.size(), 14u);
  EXPECT_EQ(rest.completed.size(), 1u);
  EXPECT_EQ(schedule.NextDeadline(), T0 + WireTime(24) + WireTime(1));
}

TEST(ReplySchedule, StopsAfterTheReplyLimit) {
  ReplySchedule schedule({});
  schedule.Add({0x06}, T0);
  schedule.Add({'T', 'K', 0x06}, T0);
  const ReplySchedule::Due due = schedule.TakeDue(T0, 1);
  EXPECT_EQ(due.bytes, Bytes{0x06});
  EXPECT_FALSE(schedule.Empty());
}

}  // namespace
}  // namespace zr::sim
