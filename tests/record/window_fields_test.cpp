#include "record/window_fields.h"

#include <gtest/gtest.h>

#include "record/factory_tables.h"
#include "record/runtime_error.h"

namespace zr {
namespace {

TEST(WindowFields, ThreeBandRefusalTakesOnlyChecksAndWorkCountry) {
  FactoryRecord record;
  record.Seller = QStringLiteral("before");
  QString packageCode = QStringLiteral("OLD");
  WindowFields fields;
  fields.Check1 = 1;
  fields.WorkCountryPosition = 2;
  fields.BandPosition = ThreeBandPosition;
  fields.Text1[TextBox::Seller] = QStringLiteral("after");
  fields.Text1[TextBox::PackageCode] = QStringLiteral("NEW");
  bool asked = false;
  EXPECT_FALSE(TakeFieldsIntoRecord(fields, record, packageCode, false, [&] { return asked = true; }));
  EXPECT_FALSE(asked);
  EXPECT_EQ(record.FactoryMode, 1);
  EXPECT_EQ(record.WorkCountry, 2);
  EXPECT_EQ(record.BandIndex, 0);
  EXPECT_EQ(record.Seller, QStringLiteral("before"));
  EXPECT_EQ(packageCode, QStringLiteral("OLD"));
}

TEST(WindowFields, TextsLoseTrailingBlanksAndThePackageCodeIsTakenAsEntered) {
  FactoryRecord record;
  QString packageCode;
  WindowFields fields;
  fields.Text1[TextBox::Seller] = QStringLiteral("Ann   ");
  fields.Text1[TextBox::DealerCode] = QStringLiteral(" lead\t");
  fields.Text1[TextBox::ManufactureCode] = QStringLiteral("123456789");  // longer than the field
  fields.Text1[TextBox::PackageCode] = QStringLiteral(" BOX 1 ");
  fields.Text1[TextBox::SerialNumber] = QStringLiteral("not taken");
  ASSERT_TRUE(TakeFieldsIntoRecord(fields, record, packageCode, false, [] { return true; }));
  EXPECT_EQ(record.Seller, QStringLiteral("Ann"));
  EXPECT_EQ(record.DealerCode, QStringLiteral(" lead\t"));
  EXPECT_EQ(record.ManufactureCode, QStringLiteral("12345678"));
  EXPECT_EQ(packageCode, QStringLiteral(" BOX 1 "));
  EXPECT_EQ(record.SerialNumber, QString());
}

TEST(WindowFields, AValueNoControlCanTakeStopsAtThatControl) {
  FactoryRecord record;
  record.FactoryMode = 1;
  record.Aprs = 3;  // Check6: 0, 1 or 2 only
  record.Seller = QStringLiteral("shown later");
  WindowFields fields;
  EXPECT_THROW(ShowRecordInFields(record, fields), RuntimeError);
  EXPECT_EQ(fields.Check1, 1);  // set before the failing control
  EXPECT_EQ(fields.Text1[TextBox::Seller], QString());

  record.Aprs = 2;  // greyed
  record.BandIndex = 16;
  EXPECT_THROW(ShowRecordInFields(record, fields), RuntimeError);
  EXPECT_EQ(fields.Check6, 2);

  record.BandIndex = 15;
  record.ModelName = QStringLiteral("OTHER");
  ShowRecordInFields(record, fields);
  EXPECT_EQ(fields.ModelText, ExpectedModel);  // the list's only entry
  EXPECT_EQ(fields.Text1[TextBox::Seller], QStringLiteral("shown later"));
}

}  // namespace
}  // namespace zr
