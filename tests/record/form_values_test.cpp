#include "record/form_values.h"

#include <gtest/gtest.h>

#include "record/factory_tables.h"
#include "record/runtime_error.h"

namespace zr {
namespace {

TEST(FormValues, ThreeBandRefusalTakesOnlyChecksAndWorkCountry) {
  FactoryRecord record;
  record.Seller = QStringLiteral("before");
  QString packageCode = QStringLiteral("OLD");
  FormValues form;
  form.factoryMode = 1;
  form.workCountryPosition = 2;
  form.bandPosition = ThreeBandPosition;
  form.seller = QStringLiteral("after");
  form.packageCode = QStringLiteral("NEW");
  bool asked = false;
  EXPECT_FALSE(TakeFormIntoRecord(form, record, packageCode, false, [&] { return asked = true; }));
  EXPECT_FALSE(asked);
  EXPECT_EQ(record.FactoryMode, 1);
  EXPECT_EQ(record.WorkCountry, 2);
  EXPECT_EQ(record.BandIndex, 0);
  EXPECT_EQ(record.Seller, QStringLiteral("before"));
  EXPECT_EQ(packageCode, QStringLiteral("OLD"));
}

TEST(FormValues, TextsLoseTrailingBlanksAndThePackageCodeIsTakenAsEntered) {
  FactoryRecord record;
  QString packageCode;
  FormValues form;
  form.seller = QStringLiteral("Ann   ");
  form.dealerCode = QStringLiteral(" lead\t");
  form.manufactureCode = QStringLiteral("123456789");  // longer than the field
  form.packageCode = QStringLiteral(" BOX 1 ");
  form.serialNumber = QStringLiteral("not taken");
  ASSERT_TRUE(TakeFormIntoRecord(form, record, packageCode, false, [] { return true; }));
  EXPECT_EQ(record.Seller, QStringLiteral("Ann"));
  EXPECT_EQ(record.DealerCode, QStringLiteral(" lead\t"));
  EXPECT_EQ(record.ManufactureCode, QStringLiteral("12345678"));
  EXPECT_EQ(packageCode, QStringLiteral(" BOX 1 "));
  EXPECT_EQ(record.SerialNumber, QString());
}

TEST(FormValues, AValueTheFormCannotShowStopsAtThatField) {
  FactoryRecord record;
  record.FactoryMode = 1;
  record.Aprs = 3;  // a check shows 0, 1 or 2 only
  record.Seller = QStringLiteral("shown later");
  FormValues form;
  EXPECT_THROW(ShowRecordInForm(record, form), RuntimeError);
  EXPECT_EQ(form.factoryMode, 1);  // shown before the failing field
  EXPECT_EQ(form.seller, QString());

  record.Aprs = 2;  // greyed
  record.BandIndex = 16;
  EXPECT_THROW(ShowRecordInForm(record, form), RuntimeError);
  EXPECT_EQ(form.aprs, 2);

  record.BandIndex = 15;
  record.ModelName = QStringLiteral("OTHER");
  ShowRecordInForm(record, form);
  EXPECT_EQ(form.modelName, ExpectedModel);  // the list's only entry
  EXPECT_EQ(form.seller, QStringLiteral("shown later"));
}

}  // namespace
}  // namespace zr
