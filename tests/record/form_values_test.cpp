#include "record/form_values.h"

#include <gtest/gtest.h>

#include "record/runtime_error.h"

namespace zr {
namespace {

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
