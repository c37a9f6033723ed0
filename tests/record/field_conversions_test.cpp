#include "record/field_conversions.h"

#include <gtest/gtest.h>

#include "record/runtime_error.h"

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

TEST_F(FieldConversions, PutCharsFillsAndCutsToWidth) {
  FieldWriter writer(image, western);
  image.Bytes().fill(0xFF);
  writer.PutChars(0x28, QStringLiteral("12"), 4);
  EXPECT_EQ(BytesAt(0x28, 5), (std::vector<int>{0x31, 0x32, 0, 0, 0xFF}));
  writer.PutChars(0x28, QStringLiteral("12345"), 4);
  EXPECT_EQ(BytesAt(0x28, 5), (std::vector<int>{0x31, 0x32, 0x33, 0x34, 0xFF}));
  // A code-page character that takes one byte is its code.
  writer.PutChars(0x28, QString::fromUtf8("\u00e9"), 1);
  EXPECT_EQ(image[0x28], 0xE9);
}

TEST_F(FieldConversions, PutCharsRefusesDoubleByteCharacter) {
  FieldWriter writer(image, gbk);
  EXPECT_THROW(writer.PutChars(0x2C, QString::fromUtf8("1\u4e2d"), 4), RuntimeError);
}

TEST_F(FieldConversions, PutTextZeroFillsAndDropsBytesPastWidth) {
  FieldWriter writer(image, western);
  image.Bytes().fill(0xFF);
  writer.PutText(0x40, QString(), 16);
  EXPECT_EQ(BytesAt(0x40, 16), std::vector<int>(16, 0));
  EXPECT_EQ(image[0x50], 0xFF);
  writer.PutText(0x50, QStringLiteral("ABCDEFGHIJ"), 8);
  EXPECT_EQ(BytesAt(0x50, 9), (std::vector<int>{'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', 0xFF}));
}

TEST_F(FieldConversions, PutTextSplitsDoubleByteCharacterAtWidth) {
  // Seven ASCII letters then a GBK character: its second byte falls past byte 8.
  FieldWriter writer(image, gbk);
  writer.PutText(0x50, QString::fromUtf8("ABCDEFG\u4e2d"), 8);
  EXPECT_EQ(BytesAt(0x50, 8), (std::vector<int>{'A', 'B', 'C', 'D', 'E', 'F', 'G', 0xD6}));
  EXPECT_EQ(image[0x58], 0x00);
  // Sixteen bytes of GBK: eight characters fit exactly and read back unchanged.
  const QString chinese = QString::fromUtf8("\u4e2d\u6587\u7ecf\u9500\u5546\u4ee3\u7801\u7532");
  writer.PutText(0x70, chinese, 16);
  EXPECT_EQ(FieldReader(image, gbk).GetText(0x70, 16), chinese);
}

TEST_F(FieldConversions, GetCharsStopsAtNulOrErasedByte) {
  const FieldReader reader(image, western);
  SetBytes(0x28, {0x31, 0x32, 0x00, 0x33});
  EXPECT_EQ(reader.GetChars(0x28, 4), QStringLiteral("12"));
  SetBytes(0x28, {0x31, 0xFF, 0x32, 0x33});
  EXPECT_EQ(reader.GetChars(0x28, 4), QStringLiteral("1"));
  SetBytes(0x10, {'Z', 'R', '9', '3', 'K', 'W', 'X', 'Y'});
  EXPECT_EQ(reader.GetChars(0x10, 7), QStringLiteral("ZR93KWX"));
}

TEST_F(FieldConversions, GetTextKeepsBlanksOnlyInUnfilledFields) {
  const FieldReader reader(image, western);
  image.Bytes().fill(0xFF);
  EXPECT_EQ(reader.GetText(0x40, 16), QString());

  SetBytes(0x40, {'A', 'B', ' ', ' ', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
  EXPECT_EQ(reader.GetText(0x40, 16), QStringLiteral("AB  "));

  SetBytes(0x60, {'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', 'I', 'J', 'K', 'L', 'M', 'N', ' ', ' '});
  EXPECT_EQ(reader.GetText(0x60, 16), QStringLiteral("ABCDEFGHIJKLMN"));

  // The 8-byte field converts in a 16-byte buffer: its blanks always stay.
  SetBytes(0x50, {'1', '2', '-', '1', '-', 'E', ' ', ' '});
  EXPECT_EQ(reader.GetText(0x50, 8), QStringLiteral("12-1-E  "));

  SetBytes(0x70, {0x41, 0x42, 0xFF, 0x43});
  EXPECT_EQ(reader.GetText(0x70, 16), QStringLiteral("AB"));

  for (int i = 0; i < 16; ++i) image[0x30 + i] = static_cast<std::uint8_t>('a' + i);
  EXPECT_EQ(reader.GetText(0x30, 16), QStringLiteral("abcdefghijklmnop"));
}

TEST_F(FieldConversions, GetTextDecodesTheCodePage) {
  SetBytes(0xA0, {0xD5, 0xC5, 0xC8, 0xFD, 0});  // GBK for two Chinese characters
  EXPECT_EQ(FieldReader(image, gbk).GetText(0xA0, 16), QString::fromUtf8("\u5f20\u4e09"));
}

TEST(TrimAtNul, RemovesBlanksFirstThenCutsAtNul) {
  EXPECT_EQ(TrimAtNul(QStringLiteral("AB  ")), QStringLiteral("AB"));
  EXPECT_EQ(TrimAtNul(QStringLiteral("AB") + QChar(0) + QStringLiteral("CD")), QStringLiteral("AB"));
  EXPECT_EQ(TrimAtNul(QStringLiteral("AB ") + QChar(0) + QStringLiteral(" ")), QStringLiteral("AB "));
  EXPECT_EQ(TrimAtNul(QStringLiteral("AB\t")), QStringLiteral("AB\t"));  // only spaces are blanks
  EXPECT_EQ(TrimAtNul(QString()), QString());
}

TEST(FindInList, ExactEntryElseFirstElseEmpty) {
  EXPECT_EQ(FindInList({}, QStringLiteral("ZR93KW")), QString());
  EXPECT_EQ(FindInList({QStringLiteral("ZR93KW")}, QStringLiteral("anything")), QStringLiteral("ZR93KW"));
  const QStringList ports = {QStringLiteral("COM3"), QStringLiteral("COM1")};
  EXPECT_EQ(FindInList(ports, QStringLiteral("COM1")), QStringLiteral("COM1"));
  EXPECT_EQ(FindInList(ports, QStringLiteral("com1")), QStringLiteral("COM3"));
}

}  // namespace
}  // namespace zr
