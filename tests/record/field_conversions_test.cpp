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
  platform::AnsiCodePage western{"windows-1252"};
  platform::AnsiCodePage gbk{"GBK"};
};

TEST_F(FieldConversions, WritersZeroFillAndCutAtTheWidth) {
  FieldWriter writer(image, western);
  image.Bytes().fill(0xFF);
  writer.PutChars(0x28, QStringLiteral("12"), 4);
  EXPECT_EQ(BytesAt(0x28, 5), (std::vector<int>{0x31, 0x32, 0, 0, 0xFF}));
  writer.PutChars(0x28, QStringLiteral("12345"), 4);
  EXPECT_EQ(BytesAt(0x28, 5), (std::vector<int>{0x31, 0x32, 0x33, 0x34, 0xFF}));
  writer.PutChars(0x28, QString::fromUtf8("\u00e9"), 1);  // one byte in the code page: its code
  EXPECT_EQ(image[0x28], 0xE9);
  writer.PutText(0x50, QStringLiteral("ABCDEFGHIJ"), 8);
  EXPECT_EQ(BytesAt(0x50, 9), (std::vector<int>{'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', 0xFF}));
  // Seven letters, then a GBK character whose second byte falls past the width.
  FieldWriter(image, gbk).PutText(0x50, QString::fromUtf8("ABCDEFG\u4e2d"), 8);
  EXPECT_EQ(BytesAt(0x50, 9), (std::vector<int>{'A', 'B', 'C', 'D', 'E', 'F', 'G', 0xD6, 0xFF}));
}

TEST_F(FieldConversions, ReadersStopAtNulOrErasedByteAndDropBlanksOnlyFromAFullBuffer) {
  const FieldReader reader(image, western);
  SetBytes(0x28, {0x31, 0x32, 0x00, 0x33});
  EXPECT_EQ(reader.GetChars(0x28, 4), QStringLiteral("12"));
  SetBytes(0x28, {0x31, 0xFF, 0x32, 0x33});
  EXPECT_EQ(reader.GetChars(0x28, 4), QStringLiteral("1"));
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

TEST(FindInList, ExactEntryElseFirstElseEmpty) {
  EXPECT_EQ(FindInList({}, QStringLiteral("ZR93KW")), QString());
  const QStringList ports = {QStringLiteral("COM3"), QStringLiteral("COM1")};
  EXPECT_EQ(FindInList(ports, QStringLiteral("COM1")), QStringLiteral("COM1"));
  EXPECT_EQ(FindInList(ports, QStringLiteral("com1")), QStringLiteral("COM3"));
}

}  // namespace
}  // namespace zr
