#include "record/image_codec.h"

#include <string>

#include "record/field_conversions.h"
#include "record/runtime_error.h"

namespace zr {

namespace {

std::uint8_t AsByte(qint16 value, std::string_view field) {
  if (value < 0 || value > 0xFF) {
    throw RuntimeError(std::string(field) + " value " + std::to_string(value) + " does not fit in a byte");
  }
  return static_cast<std::uint8_t>(value);
}

qint16 Bit0(std::uint8_t byte) { return static_cast<qint16>(byte & 0x01); }

bool LiesIn(const FactoryField& field, FactoryLines lines) {
  for (int line = field.offset / FactoryLineSize; line <= (field.offset + field.width - 1) / FactoryLineSize; ++line) {
    if (!lines.test(static_cast<std::size_t>(line))) return false;
  }
  return true;
}

// Whether the record's value of the field is what the image's bytes of it
// read as, once shown and taken back (the blanks at the end do not count).
bool HoldsValue(const FactoryField& field, const FactoryRecord& record, const FactoryRecord& imageRecord) {
  if (!IsText(field.kind)) return record.*field.recordValue == imageRecord.*field.recordValue;
  const auto taken = [&](const FactoryRecord& from) { return RemoveTrailingBlanks(TrimAtNul(from.*field.recordText)); };
  return taken(record) == taken(imageRecord);
}

}  // namespace

void EncodeImage(const FactoryRecord& record, FactoryImage& image, const platform::AnsiCodePage& codePage,
                 FactoryLines radioLines) {
  FactoryRecord asHeld;
  DecodeImage(image, asHeld, codePage);
  const auto keeps = [&](const FactoryField& field) {
    return LiesIn(field, radioLines) && HoldsValue(field, record, asHeld);
  };
  // The values in block order, then the texts in the table's: of several
  // refusals, a write reports the first in this order.
  for (const Field id : BlockOrder) {
    const FactoryField& field = FieldOf(id);
    if (!field.settable || keeps(field)) continue;
    std::uint8_t& byte = image[field.offset];
    switch (field.kind) {
      case FieldKind::Byte:
      case FieldKind::FlagByte:
        byte = AsByte(record.*field.recordValue, field.name);
        break;
      case FieldKind::Bit:
        byte = static_cast<std::uint8_t>((byte & 0xFE) | (record.*field.recordValue & 1));
        break;
      default:
        break;
    }
  }
  FieldWriter writer(image, codePage);
  for (const FactoryField& field : FactoryFields) {
    if (!field.settable || keeps(field)) continue;
    if (field.kind == FieldKind::Chars) writer.PutChars(field.offset, TrimAtNul(record.*field.recordText), field.width);
    if (field.kind == FieldKind::Text) writer.PutText(field.offset, TrimAtNul(record.*field.recordText), field.width);
  }
}

void DecodeImage(const FactoryImage& image, FactoryRecord& record, const platform::AnsiCodePage& codePage) {
  const FieldReader reader(image, codePage);
  for (const FactoryField& field : FactoryFields) {
    switch (field.kind) {
      case FieldKind::Byte:
        record.*field.recordValue = image[field.offset];
        break;
      case FieldKind::FlagByte:
      case FieldKind::Bit:
        record.*field.recordValue = Bit0(image[field.offset]);
        break;
      case FieldKind::Chars:
        StoreText(record.*field.recordText, reader.GetChars(field.offset, field.width), field.width);
        break;
      case FieldKind::Text:
        StoreDecodedText(record.*field.recordText, reader.GetText(field.offset, field.width), field.width);
        break;
      case FieldKind::NotInBlock:
        break;
    }
  }
}

bool IsTriBandCapable(const FactoryImage& image) { return (image[FeatureByte] & TriBandBit) != 0; }

QString ModelText(const FactoryImage& image, const platform::AnsiCodePage& codePage) {
  const FactoryField& model = FieldOf(Field::ModelName);
  return TrimAtNul(FieldReader(image, codePage).GetChars(model.offset, model.width));
}

QString SerialNumberText(const FactoryImage& image, const platform::AnsiCodePage& codePage) {
  const FactoryField& serial = FieldOf(Field::SerialNumber);
  return FieldReader(image, codePage).GetText(serial.offset, serial.width);
}

}  // namespace zr
