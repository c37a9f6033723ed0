#include "record/image_codec.h"

#include <gtest/gtest.h>

#include "record/factory_tables.h"
#include "record/field_conversions.h"
#include "record/runtime_error.h"

namespace zr {
namespace {

FactoryRecord EveryFieldSet() {
  FactoryRecord record;
  record.FactoryMode = 1;
  record.BandIndex = 14;
  record.WorkCountry = 2;
  record.FreqExpand = 1;
  record.Aprs = 1;
  record.QuickReset = 1;
  record.TurboPower = 0;
  record.ProgramPassword = QStringLiteral("9876");
  record.AreaCode = QStringLiteral("A1");
  record.ProducedDate = QStringLiteral("2026/12/6");
  record.ManufactureCode = QStringLiteral("12-1-E-1");
  record.MaintainedDate = QString::fromUtf8("\u4e8c\u3007\u4e8c\u516d");
  record.DealerCode = QStringLiteral("DEALER-0042");
  record.StockDate = QStringLiteral("2026-11-30");
  record.SellDate = QStringLiteral("2026-12-01");
  record.Seller = QString::fromUtf8("\u5f20\u4e09 Li");
  record.MaintainedDescription = QString(80, QLatin1Char('d'));
  return record;
}

// An image as a radio might hold it: every byte distinct from its neighbours.
FactoryImage NoisyImage() {
  FactoryImage image;
  for (int i = 0; i < FactoryImageSize; ++i) image[i] = static_cast<std::uint8_t>(0x5A ^ (i * 7));
  return image;
}

TEST(ImageCodec, EncodeNeverTouchesTheBytesAWriteMustSpare) {
  const platform::AnsiCodePage western("windows-1252");
  const FactoryImage before = NoisyImage();
  FactoryImage image = before;
  EncodeImage(EveryFieldSet(), image, western);

  std::vector<int> spared = {0x00, 0x01, 0x05};
  for (int i = 0x0A; i <= 0x27; ++i) spared.push_back(i);
  for (int i = 0x30; i <= 0x3F; ++i) spared.push_back(i);
  for (int i = 0x58; i <= 0x5F; ++i) spared.push_back(i);
  for (int i : spared) EXPECT_EQ(image[i], before[i]) << "byte " << i;
  EXPECT_EQ(image[0x06] & 0xFE, before[0x06] & 0xFE);
  EXPECT_EQ(image[0x06] & 0x01, 1);
  // The 80 single-byte characters of the description fill 0xB0..0xFF completely.
  for (int i = 0xB0; i <= 0xFF; ++i) EXPECT_EQ(image[i], 'd');
}

TEST(ImageCodec, FeatureByteKeepsTheRadiosHighBits) {
  const platform::AnsiCodePage western("windows-1252");
  FactoryImage image;
  image[0x06] = 0x80;
  FactoryRecord record;
  record.FreqExpand = 1;
  EncodeImage(record, image, western);
  EXPECT_EQ(image[0x06], 0x81);
  record.FreqExpand = 0;
  EncodeImage(record, image, western);
  EXPECT_EQ(image[0x06], 0x80);
  EXPECT_TRUE(IsTriBandCapable(image));
}

TEST(ImageCodec, EncodeRefusesValuesThatAreNotBytes) {
  const platform::AnsiCodePage western("windows-1252");
  FactoryImage image;
  FactoryRecord record;
  record.BandIndex = -1;  // a list without a selection
  EXPECT_THROW(EncodeImage(record, image, western), RuntimeError);
  record.BandIndex = 0;
  record.WorkCountry = 256;
  EXPECT_THROW(EncodeImage(record, image, western), RuntimeError);
}

TEST(ImageCodec, DecodeTakesSwitchBitsAndErasedTexts) {
  const platform::AnsiCodePage western("windows-1252");
  FactoryImage image;
  image.Bytes().fill(0xFF);
  image[0x06] = 0x81;
  image[0x07] = 0x03;
  image[0x08] = 0x02;
  image[0x09] = 0x00;
  const char model[] = "ZR93KW";
  for (int i = 0; i < 6; ++i) image[0x10 + i] = static_cast<std::uint8_t>(model[i]);
  FactoryRecord record;
  DecodeImage(image, record, western);
  EXPECT_EQ(record.RemoteKill, 0xFF);
  EXPECT_EQ(record.FreqExpand, 1);
  EXPECT_EQ(record.Aprs, 1);
  EXPECT_EQ(record.QuickReset, 0);
  EXPECT_EQ(record.TurboPower, 0);
  EXPECT_EQ(record.ModelName, QStringLiteral("ZR93KW"));
  EXPECT_EQ(ModelText(image, western), ExpectedModel);
  EXPECT_EQ(record.AreaCode, QString());
  EXPECT_EQ(TrimAtNul(record.SerialNumber), QString());
  EXPECT_EQ(TrimAtNul(record.MaintainedDescription), QString());
}

TEST(ImageCodec, ModelWithALoneLeadByteIsNotTheExpectedModel) {
  // On its own 0xB5 is half of a GBK character; dropping it would let a
  // radio of another model through the check.
  FactoryImage image;
  const char model[] = "ZR\xb5" "93KW";
  for (int i = 0; i < 7; ++i) image[0x10 + i] = static_cast<std::uint8_t>(model[i]);
  const platform::AnsiCodePage gbk("GBK");
  EXPECT_EQ(ModelText(image, gbk), QString::fromUtf8("ZR\ufffd93KW"));
  EXPECT_NE(ModelText(image, gbk), ExpectedModel);
}

TEST(ImageCodec, DecodedTextEndsInNulSoItsBlanksSurvive) {
  const platform::AnsiCodePage western("windows-1252");
  FactoryImage image;
  const char seller[] = "Ann   ";
  for (int i = 0; i < 6; ++i) image[0xA0 + i] = static_cast<std::uint8_t>(seller[i]);
  for (int i = 0; i < 16; ++i) image[0x30 + i] = static_cast<std::uint8_t>('0' + i % 10);
  FactoryRecord record;
  DecodeImage(image, record, western);
  EXPECT_EQ(record.Seller, QStringLiteral("Ann   ") + QChar(0));
  EXPECT_EQ(TrimAtNul(record.Seller), QStringLiteral("Ann   "));
  EXPECT_EQ(record.SerialNumber, QStringLiteral("0123456789012345"));  // full width: no room for the 0x00
}

TEST(InitRecord, StartUpValuesForAFixedDate) {
  FactoryRecord record;
  record.Seller = QStringLiteral("left over");
  InitRecord(record, QDate(2026, 3, 9), QStringLiteral("zh_CN"));
  EXPECT_EQ(record.SerialNumber, QStringLiteral("2026030900000001"));
  EXPECT_EQ(record.ProducedDate, QStringLiteral("2026/3/9"));
  EXPECT_EQ(record.ManufactureCode, QStringLiteral("03-1-E-1"));
  EXPECT_EQ(record.ModelName, QStringLiteral("ZR93KW"));
  EXPECT_EQ(record.TurboPower, 1);
  EXPECT_EQ(record.WorkCountry, 1);
  EXPECT_EQ(record.BandIndex, 0);
  EXPECT_EQ(record.Seller, QString());
  InitRecord(record, QDate(2026, 12, 6), QStringLiteral("en_US"));
  EXPECT_EQ(record.ProducedDate, QStringLiteral("12/6/2026"));
  EXPECT_EQ(BandDescriptions().size(), 16);
  EXPECT_TRUE(BandDescriptions()[ThreeBandPosition].contains(QStringLiteral("220 - 225")));
}

}  // namespace
}  // namespace zr
