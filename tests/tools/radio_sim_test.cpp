// The simulated radio's rules that the link, window and command-line tests
// rely on without telling apart: how its faults count frames, how it
// reassembles and drops frames. The rest of it every end-to-end test uses.
#include <gtest/gtest.h>

#include <numeric>

#include "tools/radio-sim/radio_block.h"
#include "tools/radio-sim/radio_model.h"

namespace zr::sim {
namespace {

using std::chrono::milliseconds;

const TimePoint T0{};

Bytes Read(std::uint32_t address) { return BuildReadRequest(address, LineLength); }
Bytes Write(std::uint32_t address, std::uint8_t first = 1) {
  std::array<std::uint8_t, LineLength> data{};
  std::iota(data.begin(), data.end(), first);
  return BuildWriteFrame(address, data);
}

// A reply as the table below writes it: "-" none, "line" a whole line, "sum+1"
// a line whose checksum is one off, else its bytes.
std::string Seen(const Bytes& reply) {
  if (reply.empty()) return "-";
  if (IsDataReply(reply)) return "line";
  if (reply.size() == 24 && reply[22] == static_cast<std::uint8_t>(SumBytes(reply, 1, 21) + 1)) return "sum+1";
  return QByteArray(reinterpret_cast<const char*>(reply.data()), static_cast<qsizetype>(reply.size())).toHex().toStdString();
}

// Each fault hits only its own frames, as many as it counts.
TEST(RadioModel, FaultsCountTheirOwnFrames) {
  FaultSettings faults;
  faults.noAnswer = {{FrameKind::Program, std::nullopt, 2},
                     {FrameKind::Read, 0x02FA0030, 1},
                     {FrameKind::Read, std::nullopt, 2},
                     {FrameKind::Write, std::nullopt, 1},
                     {FrameKind::End, std::nullopt, std::nullopt}};
  faults.repeatRequests = 2;
  faults.badChecksum = {{0x02FA0010, 2}};
  RadioModel radio(FreshBlock(DefaultModel, DefaultSerial), faults);
  const FactoryImage before = radio.Block();
  const Bytes program = BuildProgram(), end = BuildEnd(), write = Write(0x02FA0040);
  const Bytes read00 = Read(0x02FA0000), read10 = Read(0x02FA0010), read30 = Read(0x02FA0030);
  // Each frame in turn, its reply and, after a write, whether the block changed.
  const std::pair<const Bytes&, const char*> script[] = {
      {program, "-"}, {program, "-"}, {program, "544b06"},
      // Both read rules count the read of 0x30; the general one has one left. The checksum fault counts 0x10's only.
      {read30, "-"}, {read00, "-"}, {read00, "line"}, {read30, "line"},
      {read10, "sum+1"}, {read10, "sum+1"}, {read10, "line"},
      // An ignored write and the repeat requests store nothing.
      {write, "- kept"}, {write, "0a kept"}, {write, "0a kept"}, {write, "06 stored"},
      {end, "-"}, {end, "-"}, {end, "-"}, {end, "-"}, {end, "-"}};  // no count: every one
  for (std::size_t i = 0; i < std::size(script); ++i) {
    const std::vector<Exchange> exchanges = radio.Receive(script[i].first, T0);
    ASSERT_EQ(exchanges.size(), 1u) << "frame " << i;
    std::string seen = Seen(exchanges[0].reply);
    if (&script[i].first == &write) seen += radio.Block() == before ? " kept" : " stored";
    EXPECT_EQ(seen, script[i].second) << "frame " << i;
  }
  EXPECT_EQ(radio.Block().Line(0x40)[0], 1);
}

TEST(RadioModel, ReassemblesSplitFramesAndDiscardsStrayBytes) {
  RadioModel radio(FactoryImage{}, {});
  Bytes stream = {0x00, 'X', 'P'};  // junk, then a 'P' that starts no "PROGRAM"
  for (const Bytes& frame : {BuildProgram(), Read(0x02FA0020), Bytes{'E'}, BuildEnd()}) {  // an "E" that is not "END"
    stream.insert(stream.end(), frame.begin(), frame.end());
  }
  std::vector<Bytes> replies;
  Bytes discarded;
  for (std::size_t at = 0; at < stream.size(); at += 4) {  // in pieces that cut every frame
    const std::size_t size = std::min<std::size_t>(4, stream.size() - at);
    for (const Exchange& e : radio.Receive(std::span(stream).subspan(at, size), T0 + milliseconds(at))) {
      if (e.type == ReaderEvent::Type::Discarded) {
        discarded.insert(discarded.end(), e.received.begin(), e.received.end());
      }
      if (!e.reply.empty()) replies.push_back(e.reply);
    }
  }
  ASSERT_EQ(replies.size(), 3u);
  EXPECT_EQ(replies[0], (Bytes{'T', 'K', 0x06}));
  EXPECT_EQ(FrameAddress(replies[1]), 0x02FA0020u);
  EXPECT_EQ(replies[2], Bytes{0x06});
  EXPECT_EQ(discarded, (Bytes{0x00, 'X', 'P', 'E'}));
}

TEST(RadioModel, StalledPartialFrameIsDroppedSoTheResendIsAnswered) {
  RadioModel radio(FactoryImage{}, {});
  const Bytes write = Write(0x02FA0040);
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
}

}  // namespace
}  // namespace zr::sim
