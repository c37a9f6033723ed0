#include "record/form_values.h"

#include <gtest/gtest.h>

#include "record/factory_tables.h"
#include "record/runtime_error.h"

namespace zr {
namespace {

TEST(FormValues, TextsLoseTrailingSpacesOnlyAndAreCutToTheirField) {
  FactoryRecord record;
  QString packageCode;
  FormValues form;
  form.dealerCode = QStringLiteral(" lead\t");
  form.manufactureCode = QStringLiteral("123456789");
  ASSERT_TRUE(TakeFormIntoRecord(form, record, packageCode, false, [] { return true; }));
  EXPECT_EQ(record.DealerCode, QStringLiteral(" lead\t"));
  EXPECT_EQ(record.ManufactureCode, QStringLiteral("12345678"));
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
