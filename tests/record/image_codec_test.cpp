// The block's bytes into the decoded record and back, the field conversions
// under them, and the form's values over them.
#include "record/image_codec.h"

#include <gtest/gtest.h>

#include <cstring>

#include "record/factory_tables.h"
#include "record/field_conversions.h"
#include "record/form_values.h"
#include "record/runtime_error.h"

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

// The boxes limit characters, not bytes: a text is cut at its field's width in
// bytes, even inside a double-byte character.
TEST(FieldConversions, TextIsCutAtTheWidthInBytes) {
  FactoryImage image;
  image.Bytes().fill(0xFF);
  const auto line0x50 = [&] { return QByteArray(reinterpret_cast<const char*>(image.Bytes().data()) + 0x50, 9); };
  FieldWriter(image, Western).PutText(0x50, QStringLiteral("ABCDEFGHIJ"), 8);
  EXPECT_EQ(line0x50(), QByteArray("ABCDEFGH\xFF"));
  // Seven letters, then a GBK character whose second byte falls past the width.
  FieldWriter(image, platform::AnsiCodePage(936)).PutText(0x50, QString::fromUtf8("ABCDEFG\u4e2d"), 8);
  EXPECT_EQ(line0x50(), QByteArray("ABCDEFG\xD6\xFF"));
}

// (How character fields read shows in the model check and the window's read.)
TEST(FieldConversions, TextStopsAtAnErasedByteAndLosesBlanksOnlyFromAFullBuffer) {
  FactoryImage image;
  for (const auto& [offset, bytes] : {std::pair(0x70, "AB\xFF" "C"), std::pair(0x40, "AB  "),
                                      std::pair(0x60, "ABCDEFGHIJKLMN  "), std::pair(0x50, "12-1-E  ")}) {
    std::copy(bytes, bytes + std::strlen(bytes), image.Bytes().begin() + offset);
  }
  const FieldReader reader(image, Western);
  EXPECT_EQ(reader.GetText(0x70, 16), QStringLiteral("AB"));
  EXPECT_EQ(reader.GetText(0x40, 16), QStringLiteral("AB  "));
  EXPECT_EQ(reader.GetText(0x60, 16), QStringLiteral("ABCDEFGHIJKLMN"));
  // The 8-byte field converts in a 16-byte buffer: its blanks always stay.
  EXPECT_EQ(reader.GetText(0x50, 8), QStringLiteral("12-1-E  "));
}

TEST(TrimAtNul, RemovesBlanksFirstThenCutsAtNul) {
  EXPECT_EQ(TrimAtNul(QStringLiteral("AB  ")), QStringLiteral("AB"));
  EXPECT_EQ(TrimAtNul(QStringLiteral("AB") + QChar(0) + QStringLiteral("CD")), QStringLiteral("AB"));
  EXPECT_EQ(TrimAtNul(QStringLiteral("AB ") + QChar(0) + QStringLiteral(" ")), QStringLiteral("AB "));
  EXPECT_EQ(TrimAtNul(QStringLiteral("AB\t")), QStringLiteral("AB\t"));  // only spaces are blanks
}

TEST(FormValues, TextsLoseTrailingSpacesOnly) {
  FactoryRecord record;
  QString packageCode;
  FormValues form;
  form.dealerCode = QStringLiteral(" lead\t");
  ASSERT_TRUE(TakeFormIntoRecord(form, record, packageCode, false, [] { return true; }));
  EXPECT_EQ(record.DealerCode, QStringLiteral(" lead\t"));
}

// A byte a check box cannot show fails the read there; the window's test shows
// the same for a list, and the command line's names the value.
TEST(FormValues, ACheckByteTheFormCannotShowStopsAtThatField) {
  FactoryRecord record;
  record.FactoryMode = 1;
  record.RemoteKill = 3;  // a check shows 0, 1 or 2 (greyed) only
  record.Seller = QStringLiteral("shown later");
  FormValues form;
  EXPECT_THROW(ShowRecordInForm(record, form), RuntimeError);
  EXPECT_EQ(form.factoryMode, 1);  // shown before the failing field
  EXPECT_EQ(form.seller, QString());
  record.RemoteKill = 2;
  ShowRecordInForm(record, form);
  EXPECT_EQ(form.remoteKill, 2);
  EXPECT_EQ(form.seller, QStringLiteral("shown later"));
}

}  // namespace
}  // namespace zr
