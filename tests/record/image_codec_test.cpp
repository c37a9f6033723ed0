#include "record/image_codec.h"

#include <gtest/gtest.h>

#include "record/factory_tables.h"
#include "record/field_conversions.h"

namespace zr {
namespace {

const platform::AnsiCodePage Western(1252);

// From an empty record the bytes a write sets become zeros (the description
// of 80 characters fills its bytes); every other byte and bit stays the radio's.
TEST(ImageCodec, EncodeChangesOnlyTheBytesAWriteSets) {
  FactoryImage image;
  for (int i = 0; i < FactoryImageSize; ++i) image[i] = static_cast<std::uint8_t>(0x5A ^ (i * 7));
  const FactoryImage before = image;
  FactoryRecord record;
  record.MaintainedDescription = QString(80, QLatin1Char('d'));
  EncodeImage(record, image, Western);
  const auto spared = [](int i) {
    return i <= 0x01 || i == 0x05 || (i >= 0x0A && i <= 0x27) || (i >= 0x30 && i <= 0x3F) || (i >= 0x58 && i <= 0x5F);
  };
  for (int i = 0; i < FactoryImageSize; ++i) {
    const int expected = spared(i) ? before[i] : i == FeatureByte ? before[i] & 0xFE : i >= 0xB0 ? 'd' : 0;
    EXPECT_EQ(image[i], expected) << "byte " << i;
  }
}

TEST(ImageCodec, DecodeTakesSwitchesFromBitZeroAndEndsTextsInNul) {
  FactoryImage image;
  image[0x00] = 0xFF;  // a whole byte
  image[0x06] = 0x81;
  image[0x07] = 0x03;
  image[0x08] = 0x02;
  const char seller[] = "Ann   ";
  for (int i = 0; i < 6; ++i) image[0xA0 + i] = static_cast<std::uint8_t>(seller[i]);
  for (int i = 0; i < 16; ++i) image[0x30 + i] = static_cast<std::uint8_t>('0' + i % 10);
  FactoryRecord record;
  DecodeImage(image, record, Western);
  EXPECT_EQ(record.RemoteKill, 0xFF);
  EXPECT_EQ(record.FreqExpand, 1);
  EXPECT_EQ(record.Aprs, 1);
  EXPECT_EQ(record.QuickReset, 0);
  // The 0x00 keeps the blanks from the trim that follows; a full field has no room for it.
  EXPECT_EQ(record.Seller, QStringLiteral("Ann   ") + QChar(0));
  EXPECT_EQ(record.SerialNumber, QStringLiteral("0123456789012345"));
}

TEST(ImageCodec, ModelWithALoneLeadByteIsNotTheExpectedModel) {
  // On its own 0xB5 is half of a GBK character; dropping it would let a
  // radio of another model through the check.
  FactoryImage image;
  const char model[] = "ZR\xb5" "93KW";
  for (int i = 0; i < 7; ++i) image[0x10 + i] = static_cast<std::uint8_t>(model[i]);
  const platform::AnsiCodePage gbk(936);
  EXPECT_EQ(ModelText(image, gbk), QString::fromUtf8("ZR\ufffd93KW"));
  EXPECT_NE(ModelText(image, gbk), ExpectedModel);
}

TEST(InitRecord, StartUpValuesForAFixedDate) {
  FactoryRecord record;
  record.Seller = QStringLiteral("left over");
  InitRecord(record, QDate(2026, 3, 9), QStringLiteral("zh_CN"));
  EXPECT_EQ(record.SerialNumber, QStringLiteral("2026030900000001"));
  EXPECT_EQ(record.ProducedDate, QStringLiteral("2026/3/9"));
  EXPECT_EQ(record.ManufactureCode, QStringLiteral("03-1-E-1"));
  EXPECT_EQ(record.ModelName, QStringLiteral("ZR93KW"));
  EXPECT_EQ(std::make_tuple(record.TurboPower, record.WorkCountry, record.BandIndex), std::make_tuple(1, 1, 0));
  EXPECT_EQ(record.Seller, QString());
  InitRecord(record, QDate(2026, 12, 6), QStringLiteral("en_US"));
  EXPECT_EQ(record.ProducedDate, QStringLiteral("12/6/2026"));
  EXPECT_TRUE(BandDescriptions()[ThreeBandPosition].contains(QStringLiteral("220 - 225")));
}

}  // namespace
}  // namespace zr
