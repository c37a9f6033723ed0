#include "tools/radio-sim/radio_model.h"

#include <gtest/gtest.h>

#include <array>
#include <numeric>

#include "tools/radio-sim/radio_block.h"

namespace zr::sim {
namespace {

using std::chrono::milliseconds;

const TimePoint T0{};

std::array<std::uint8_t, LineLength> Counting(std::uint8_t first) {
  std::array<std::uint8_t, LineLength> data{};
  std::iota(data.begin(), data.end(), first);
  return data;
}

Bytes Read(std::uint32_t address) { return BuildReadRequest(address, LineLength); }

// The only reply to `frame`, fed in one piece; empty when unanswered.
Bytes Ask(RadioModel& radio, const Bytes& frame) {
  const std::vector<Exchange> exchanges = radio.Receive(frame, T0);
  EXPECT_EQ(exchanges.size(), 1u);
  return exchanges.empty() ? Bytes{} : exchanges.front().reply;
}

TEST(RadioModel, UnusedMemoryReadsErased) {
  RadioModel radio(FreshBlock(DefaultModel, DefaultSerial), {});
  for (std::uint32_t address : {0x02FA0100u, 0x02FA0008u, 0x02F9FFF0u, 0u}) {
    const Bytes reply = Ask(radio, Read(address));
    ASSERT_TRUE(IsDataReply(reply)) << std::hex << address;
    EXPECT_EQ(FrameAddress(reply), address);
    EXPECT_EQ(Bytes(reply.begin() + 6, reply.begin() + 22), Bytes(16, 0xFF));
  }
  // A read request must ask for one line.
  EXPECT_TRUE(Ask(radio, BuildReadRequest(0x02FA0000, 0x20)).empty());
}

TEST(RadioModel, WriteIsSavedThenAcknowledgedAndReadsBack) {
  std::vector<FactoryImage> saved;
  RadioModel radio(FactoryImage{}, {}, [&saved](const FactoryImage& block) {
    saved.push_back(block);
    return QString();
  });
  EXPECT_EQ(Ask(radio, BuildWriteFrame(0x02FA00F0, Counting(0x41))), Bytes{0x06});
  ASSERT_EQ(saved.size(), 1u);
  EXPECT_EQ(saved[0][0xF0], 0x41);
  EXPECT_EQ(saved[0][0xFF], 0x50);
  EXPECT_EQ(Ask(radio, Read(0x02FA00F0)), BuildWriteFrame(0x02FA00F0, Counting(0x41)));
}

TEST(RadioModel, BadWriteFramesAreNeitherStoredNorAnswered) {
  int saves = 0;
  RadioModel radio(FactoryImage{}, {}, [&saves](const FactoryImage&) {
    ++saves;
    return QString();
  });
  const Bytes good = BuildWriteFrame(0x02FA0040, Counting(1));
  for (std::size_t index : {std::size_t{5}, std::size_t{12}, std::size_t{22}, std::size_t{23}}) {
    Bytes bad = good;
    bad[index] ^= 0x01;  // wrong length byte, data that no longer sums, checksum, trailing byte
    EXPECT_TRUE(Ask(radio, bad).empty()) << "byte " << index;
  }
  // Outside the block, or not on a line: acknowledging would claim the data is kept.
  EXPECT_TRUE(Ask(radio, BuildWriteFrame(0x02FA0100, Counting(1))).empty());
  EXPECT_TRUE(Ask(radio, BuildWriteFrame(0x02FA0048, Counting(1))).empty());
  EXPECT_EQ(saves, 0);
  EXPECT_EQ(radio.Block(), FactoryImage{});
}

TEST(RadioModel, WriteThatCannotBeSavedIsUndoneAndUnanswered) {
  RadioModel radio(FactoryImage{}, {}, [](const FactoryImage&) { return QStringLiteral("disk full"); });
  const std::vector<Exchange> exchanges = radio.Receive(BuildWriteFrame(0x02FA0040, Counting(1)), T0);
  ASSERT_EQ(exchanges.size(), 1u);
  EXPECT_TRUE(exchanges[0].reply.empty());
  EXPECT_TRUE(exchanges[0].note.contains(QStringLiteral("disk full")));
  EXPECT_EQ(radio.Block(), FactoryImage{});
}

TEST(RadioModel, ReassemblesSplitFramesAndDiscardsStrayBytes) {
  RadioModel radio(FactoryImage{}, {});
  Bytes stream = {0x00, 'X', 'P'};  // junk, then a 'P' that starts no "PROGRAM"
  const Bytes program = BuildProgram(), read = Read(0x02FA0020), end = BuildEnd();
  stream.insert(stream.end(), program.begin(), program.end());
  stream.insert(stream.end(), read.begin(), read.end());
  stream.push_back('E');  // an "E" that is not "END"
  stream.insert(stream.end(), end.begin(), end.end());

  std::vector<Exchange> exchanges;
  for (std::size_t at = 0; at < stream.size(); at += 4) {  // in pieces that cut every frame
    const std::size_t size = std::min<std::size_t>(4, stream.size() - at);
    for (Exchange& e : radio.Receive(std::span(stream).subspan(at, size), T0 + milliseconds(at))) {
      exchanges.push_back(std::move(e));
    }
  }
  std::vector<Bytes> replies, discarded;
  for (const Exchange& e : exchanges) {
    if (e.type == ReaderEvent::Type::Discarded) discarded.push_back(e.received);
    if (!e.reply.empty()) replies.push_back(e.reply);
  }
  ASSERT_EQ(replies.size(), 3u);
  EXPECT_EQ(replies[0], (Bytes{'T', 'K', 0x06}));
  EXPECT_EQ(FrameAddress(replies[1]), 0x02FA0020u);
  EXPECT_EQ(replies[2], Bytes{0x06});
  Bytes allDiscarded;
  for (const Bytes& d : discarded) allDiscarded.insert(allDiscarded.end(), d.begin(), d.end());
  EXPECT_EQ(allDiscarded, (Bytes{0x00, 'X', 'P', 'E'}));
}

TEST(RadioModel, StalledPartialFrameIsDroppedSoTheResendIsAnswered) {
  RadioModel radio(FactoryImage{}, {});
  const Bytes write = BuildWriteFrame(0x02FA0040, Counting(1));
  EXPECT_TRUE(radio.Receive(std::span(write).first(10), T0).empty());
  ASSERT_EQ(radio.StallDeadline(), T0 + StallLimit);
  EXPECT_FALSE(radio.DropStalled(T0 + StallLimit));  // not yet: it must stall for more than the limit

  // The resend arrives after the stall: the stale part goes, the whole frame is answered.
  const std::vector<Exchange> exchanges = radio.Receive(write, T0 + StallLimit + milliseconds(1));
  ASSERT_EQ(exchanges.size(), 2u);
  EXPECT_EQ(exchanges[0].type, ReaderEvent::Type::Dropped);
  EXPECT_EQ(exchanges[0].received.size(), 10u);
  EXPECT_EQ(exchanges[1].reply, Bytes{0x06});
  EXPECT_FALSE(radio.StallDeadline());

  EXPECT_TRUE(radio.Receive(std::span(write).first(3), T0).empty());
  const std::optional<Exchange> dropped = radio.DropStalled(T0 + StallLimit + milliseconds(1));
  ASSERT_TRUE(dropped);
  EXPECT_EQ(dropped->received, Bytes(write.begin(), write.begin() + 3));
}

TEST(RadioModel, NoAnswerFaultsCountTheirOwnFrames) {
  FaultSettings faults;
  faults.noAnswer = {{FrameKind::Program, std::nullopt, 2},
                     {FrameKind::Read, 0x02FA0030, 1},
                     {FrameKind::Read, std::nullopt, 2},
                     {FrameKind::End, std::nullopt, std::nullopt}};
  RadioModel radio(FactoryImage{}, faults);
  EXPECT_TRUE(Ask(radio, BuildProgram()).empty());
  EXPECT_TRUE(Ask(radio, BuildProgram()).empty());
  EXPECT_FALSE(Ask(radio, BuildProgram()).empty());

  // Both read rules count the read of 0x30; the general one has one left.
  EXPECT_TRUE(Ask(radio, Read(0x02FA0030)).empty());
  EXPECT_TRUE(Ask(radio, Read(0x02FA0000)).empty());
  EXPECT_FALSE(Ask(radio, Read(0x02FA0000)).empty());
  EXPECT_FALSE(Ask(radio, Read(0x02FA0030)).empty());

  for (int i = 0; i < 5; ++i) EXPECT_TRUE(Ask(radio, BuildEnd()).empty());  // no count: every one
}

TEST(RadioModel, RepeatRequestsAndIgnoredWritesStoreNothing) {
  FaultSettings faults;
  faults.noAnswer = {{FrameKind::Write, std::nullopt, 1}};
  faults.repeatRequests = 2;
  RadioModel radio(FactoryImage{}, faults);
  const Bytes write = BuildWriteFrame(0x02FA0040, Counting(1));
  EXPECT_TRUE(Ask(radio, write).empty());
  EXPECT_EQ(Ask(radio, write), Bytes{0x0A});
  EXPECT_EQ(Ask(radio, write), Bytes{0x0A});
  EXPECT_EQ(radio.Block(), FactoryImage{});
  EXPECT_EQ(Ask(radio, write), Bytes{0x06});
  EXPECT_EQ(radio.Block()[0x40], 1);
}

TEST(RadioModel, BadChecksumFaultHitsOnlyItsLineAndCount) {
  FaultSettings faults;
  faults.badChecksum = {{0x02FA0010, 2}};
  RadioModel radio(FreshBlock(DefaultModel, DefaultSerial), faults);
  const Bytes good = Ask(radio, Read(0x02FA0000));  // another line: untouched, and not counted
  EXPECT_TRUE(IsDataReply(good));
  for (int i = 0; i < 2; ++i) {
    const Bytes bad = Ask(radio, Read(0x02FA0010));
    ASSERT_EQ(bad.size(), 24u);
    EXPECT_FALSE(IsDataReply(bad));
    EXPECT_EQ(bad[22], static_cast<std::uint8_t>(SumBytes(bad, 1, 21) + 1));
  }
  EXPECT_TRUE(IsDataReply(Ask(radio, Read(0x02FA0010))));
}

}  // namespace
}  // namespace zr::sim
