#include "link/frames.h"

#include <gtest/gtest.h>

#include <array>
#include <numeric>

namespace zr {
namespace {

TEST(Frames, WorkedExampleWriteAndReadFrames) {
  std::array<std::uint8_t, LineLength> data{};
  std::iota(data.begin(), data.end(), 0);
  const Bytes expected = {0x57, 0x02, 0xFA, 0x00, 0x00, 0x10, 0x00, 0x01, 0x02, 0x03, 0x04, 0x05,
                          0x06, 0x07, 0x08, 0x09, 0x0A, 0x0B, 0x0C, 0x0D, 0x0E, 0x0F, 0x84, 0x06};
  EXPECT_EQ(BuildWriteFrame(0x02FA0000, data), expected);
  EXPECT_EQ(BuildReadRequest(0x02FA00F0, 0x10), (Bytes{0x52, 0x02, 0xFA, 0x00, 0xF0, 0x10}));
  EXPECT_EQ(BuildProgram(), (Bytes{0x50, 0x52, 0x4F, 0x47, 0x52, 0x41, 0x4D}));
  EXPECT_EQ(BuildEnd(), (Bytes{0x45, 0x4E, 0x44}));
}

TEST(Frames, ChecksumWrapsAtAByte) {
  // 0x02+0xFA+0x00+0x00+0x10 = 0x10C; data adding 0xF4 more makes 0x200: checksum 0.
  std::array<std::uint8_t, LineLength> data{};
  data[0] = 0xF4;
  const Bytes frame = BuildWriteFrame(0x02FA0000, data);
  EXPECT_EQ(frame[22], 0x00);
  EXPECT_TRUE(IsDataReply(frame));
}

TEST(Frames, DataReplyNeedsExactLengthFixedBytesAndChecksum) {
  std::array<std::uint8_t, LineLength> data{};
  std::iota(data.begin(), data.end(), 0x41);
  const Bytes good = BuildWriteFrame(0x02FA0030, data);
  EXPECT_TRUE(IsDataReply(good));
  EXPECT_EQ(FrameAddress(good), 0x02FA0030u);
  EXPECT_FALSE(IsDataReply(Bytes(good.begin(), good.end() - 1)));
  Bytes longer = good;
  longer.push_back(0x06);
  EXPECT_FALSE(IsDataReply(longer));
  // The leading 'W', the length, the trailing ACK, the checksum either way, the data.
  for (const auto& [index, change] :
       std::vector<std::pair<std::size_t, int>>{{0, 1}, {5, 1}, {23, 1}, {22, 1}, {22, -1}, {10, 1}}) {
    Bytes broken = good;
    broken[index] = static_cast<std::uint8_t>(broken[index] + change);
    EXPECT_FALSE(IsDataReply(broken)) << "byte " << index << " by " << change;
  }
}

TEST(Frames, ShortRepliesAreRecognisedOnlyWhole) {
  EXPECT_TRUE(IsProgramAck(Bytes{'T', 'K', 0x06}));
  for (const Bytes& other :
       {Bytes{'T', 'K'}, Bytes{'T', 'K', 0x07}, Bytes{'T', 'K', 0x06, 0x06}, Bytes{'t', 'K', 0x06}}) {
    EXPECT_FALSE(IsProgramAck(other)) << other.size();
  }
  EXPECT_TRUE(IsAck(Bytes{0x06}));
  EXPECT_TRUE(IsRepeatRequest(Bytes{0x0A}));
  EXPECT_FALSE(IsAck(Bytes{0x06, 0x06}) || IsAck(Bytes{}) || IsRepeatRequest(Bytes{0x0A, 0x06}));
  for (int byte = 0; byte < 256; ++byte) {
    if (byte == 0x06 || byte == 0x0A) continue;
    const Bytes reply{static_cast<std::uint8_t>(byte)};
    EXPECT_FALSE(IsAck(reply) || IsRepeatRequest(reply)) << byte;
  }
}

}  // namespace
}  // namespace zr
