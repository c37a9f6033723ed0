#include "record/form_values.h"

#include <string>

#include "record/factory_fields.h"
#include "record/field_conversions.h"
#include "record/runtime_error.h"

namespace zr {

namespace {

qint16 CheckValue(qint16 value, std::string_view field) {
  if (value < 0 || value > 2) {
    throw RuntimeError(std::string(field) + " cannot show the value " + std::to_string(value));
  }
  return value;
}

int ListPosition(int value, qsizetype entries, std::string_view field) {
  if (value < 0 || value >= entries) {
    throw RuntimeError("the " + std::string(field) + " list has no entry " + std::to_string(value));
  }
  return value;
}

}  // namespace

bool TakeFormIntoRecord(FormValues& form, FactoryRecord& record, QString& packageCode, bool triBandCapable,
                        const std::function<bool()>& confirmBandChange) {
  for (const FactoryField& field : FactoryFields) {
    if (field.settable && field.box.kind == BoxKind::Check) record.*field.recordValue = form.*field.formCheck;
  }
  record.WorkCountry = static_cast<qint16>(form.workCountryPosition);

  if (!triBandCapable && form.bandPosition == ThreeBandPosition) return false;

  if (form.bandPosition != record.BandIndex) {
    if (confirmBandChange()) {
      record.BandIndex = static_cast<qint16>(form.bandPosition);
    } else {
      form.bandPosition = record.BandIndex;
    }
  }

  for (const FactoryField& field : FactoryFields) {
    if (field.settable && field.box.kind == BoxKind::Text) {
      StoreText(record.*field.recordText, RemoveTrailingBlanks(form.*field.formText), field.width);
    }
  }
  packageCode = form.packageCode;
  return true;
}

void ShowRecordInForm(const FactoryRecord& record, FormValues& form) {
  // In the window's order, so that a failure leaves the same boxes filled as it always has.
  for (const Field id : BoxOrder) {
    const FactoryField& field = FieldOf(id);
    if (field.kind == FieldKind::NotInBlock) continue;  // the package code stays as entered
    switch (field.box.kind) {
      case BoxKind::Check:
        form.*field.formCheck = CheckValue(record.*field.recordValue, field.name);
        break;
      case BoxKind::List:
        if (field.formText) {
          form.*field.formText = FindInList(field.entries(), TrimAtNul(record.*field.recordText));
        } else {
          form.*field.formPosition = ListPosition(record.*field.recordValue, field.entries().size(), field.name);
        }
        break;
      case BoxKind::Text:
        form.*field.formText = TrimAtNul(record.*field.recordText);
        break;
    }
  }
}

}  // namespace zr
