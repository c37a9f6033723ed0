#include "record/field_conversions.h"

#include <gtest/gtest.h>

namespace zr {
namespace {

class FieldConversions : public ::testing::Test {
 protected:
  void SetBytes(int offset, std::initializer_list<int> bytes) {
    for (int byte : bytes) image[offset++] = static_cast<std::uint8_t>(byte);
  }
  std::vector<int> BytesAt(int offset, int count) const {
    std::vector<int> bytes;
    for (int i = 0; i < count; ++i) bytes.push_back(image[offset + i]);
    return bytes;
  }

  FactoryImage image;
  platform::AnsiCodePage western{1252};
  platform::AnsiCodePage gbk{936};
};

// The boxes limit characters, not bytes: a text is cut at its field's width in
// bytes, even inside a double-byte character.
TEST_F(FieldConversions, TextIsCutAtTheWidthInBytes) {
  FieldWriter writer(image, western);
  image.Bytes().fill(0xFF);
  writer.PutText(0x50, QStringLiteral("ABCDEFGHIJ"), 8);
  EXPECT_EQ(BytesAt(0x50, 9), (std::vector<int>{'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', 0xFF}));
  // Seven letters, then a GBK character whose second byte falls past the width.
  FieldWriter(image, gbk).PutText(0x50, QString::fromUtf8("ABCDEFG\u4e2d"), 8);
  EXPECT_EQ(BytesAt(0x50, 9), (std::vector<int>{'A', 'B', 'C', 'D', 'E', 'F', 'G', 0xD6, 0xFF}));
}

// (How character fields read shows in the model check and the window's read.)
TEST_F(FieldConversions, TextStopsAtAnErasedByteAndLosesBlanksOnlyFromAFullBuffer) {
  const FieldReader reader(image, western);
  SetBytes(0x70, {0x41, 0x42, 0xFF, 0x43});
  EXPECT_EQ(reader.GetText(0x70, 16), QStringLiteral("AB"));
  SetBytes(0x40, {'A', 'B', ' ', ' '});
  EXPECT_EQ(reader.GetText(0x40, 16), QStringLiteral("AB  "));
  SetBytes(0x60, {'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', 'I', 'J', 'K', 'L', 'M', 'N', ' ', ' '});
  EXPECT_EQ(reader.GetText(0x60, 16), QStringLiteral("ABCDEFGHIJKLMN"));
  // The 8-byte field converts in a 16-byte buffer: its blanks always stay.
  SetBytes(0x50, {'1', '2', '-', '1', '-', 'E', ' ', ' '});
  EXPECT_EQ(reader.GetText(0x50, 8), QStringLiteral("12-1-E  "));
}

TEST(TrimAtNul, RemovesBlanksFirstThenCutsAtNul) {
  EXPECT_EQ(TrimAtNul(QStringLiteral("AB  ")), QStringLiteral("AB"));
  EXPECT_EQ(TrimAtNul(QStringLiteral("AB") + QChar(0) + QStringLiteral("CD")), QStringLiteral("AB"));
  EXPECT_EQ(TrimAtNul(QStringLiteral("AB ") + QChar(0) + QStringLiteral(" ")), QStringLiteral("AB "));
  EXPECT_EQ(TrimAtNul(QStringLiteral("AB\t")), QStringLiteral("AB\t"));  // only spaces are blanks
}

}  // namespace
}  // namespace zr
