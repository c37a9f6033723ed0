#include "record/factory_fields.h"

#include <gtest/gtest.h>

#include "record/field_conversions.h"
#include "record/image_codec.h"

namespace zr {
namespace {

QString NameOf(const FactoryField& field) {
  return QString::fromLatin1(field.name.data(), static_cast<qsizetype>(field.name.size()));
}

// A value of its own for the field, one the field can hold: the last list
// entry, a greyed check where the whole byte is kept, a text that fills the
// field's bytes (double-byte characters where the field takes them).
void PutSample(FormValues& form, const FactoryField& field, const platform::AnsiCodePage& codePage) {
  switch (field.box.kind) {
    case BoxKind::Check:
      form.*field.formCheck = field.kind == FieldKind::Byte ? 2 : 1;
      break;
    case BoxKind::List:
      if (field.formText) {
        form.*field.formText = field.entries().back();
      } else {
        form.*field.formPosition = static_cast<int>(field.entries().size()) - 1;
      }
      break;
    case BoxKind::Text: {
      QString text = (field.kind == FieldKind::Chars ? QString() : QString::fromUtf8("张三")) + NameOf(field) +
                     QStringLiteral("0123456789abcdefghijklmnopqrstuvwxyz0123456789abcdefghijklmnopqrstuvwxyz");
      while (codePage.Encode(text).size() > field.width) text.chop(1);
      form.*field.formText = text;
      break;
    }
  }
}

// The radio's own value of a field a write leaves alone, put straight into the block.
void PutIntoBlock(FactoryImage& block, const FactoryField& field, const FormValues& form,
                  const platform::AnsiCodePage& codePage) {
  FieldWriter writer(block, codePage);
  if (field.formCheck) block[field.offset] = static_cast<std::uint8_t>(form.*field.formCheck);
  if (field.kind == FieldKind::Chars) writer.PutChars(field.offset, form.*field.formText, field.width);
  if (field.kind == FieldKind::Text) writer.PutText(field.offset, form.*field.formText, field.width);
}

// Every field at once, so that one that strays into another's bytes shows:
// what the operator enters goes form, record, block, record, form unchanged;
// what the operator cannot change comes from the radio's block and a write
// leaves it there.
TEST(FactoryFields, EveryFieldComesBackFromTheBlockAsItWent) {
  const platform::AnsiCodePage gbk("GBK");
  FormValues entered;
  FactoryImage block;
  for (const FactoryField& field : FactoryFields) {
    if (field.kind == FieldKind::NotInBlock) continue;
    PutSample(entered, field, gbk);
    if (!field.settable) PutIntoBlock(block, field, entered, gbk);
  }

  FormValues taken = entered;
  FactoryRecord record;
  QString packageCode;
  ASSERT_TRUE(TakeFormIntoRecord(taken, record, packageCode, false, [] { return true; }));
  EncodeImage(record, block, gbk);
  FactoryRecord read;
  DecodeImage(block, read, gbk);
  FormValues shown;
  ShowRecordInForm(read, shown);

  for (const FactoryField& field : FactoryFields) {
    SCOPED_TRACE(field.name);
    if (field.formCheck) {
      EXPECT_EQ(shown.*field.formCheck, entered.*field.formCheck);
    } else if (field.formPosition) {
      EXPECT_EQ(shown.*field.formPosition, entered.*field.formPosition);
    } else {
      EXPECT_EQ(shown.*field.formText, entered.*field.formText);
    }
  }
}

}  // namespace
}  // namespace zr
