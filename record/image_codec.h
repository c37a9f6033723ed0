#pragma once

#include "platform/ansi_code_page.h"
#include "record/factory_fields.h"
#include "record/factory_image.h"
#include "record/factory_record.h"

namespace zr {

// In the feature byte: set on a radio able to take the three-band entry.
inline constexpr std::uint8_t TriBandBit = 0x80;

// A write never sends the lines of the model and the serial number (0x10, 0x30).
constexpr bool IsWrittenLine(int offset) {
  const auto lineOf = [](Field field) { return FieldOf(field).offset / FactoryLineSize * FactoryLineSize; };
  return offset != lineOf(Field::ModelName) && offset != lineOf(Field::SerialNumber);
}

// Record into image: only the fields a write may change. Bytes 0x00, 0x01,
// 0x05, 0x0A-0x27, 0x30-0x3F, 0x58-0x5F and bits 1-7 of 0x06 stay as they are.
// `radioLines` are the lines the image holds as the radio gave them: a field
// that lies in them and whose value is what its bytes there read as keeps
// those bytes, so that a write changes only what the operator changed (text
// in another code page, an 0xFF tail, trailing blanks, a flag byte of 2 would
// not survive being encoded again).
// A value that is not a byte (a list without selection) or a character that
// does not fit in one byte raises RuntimeError; the image may then be partly
// written, which is harmless because nothing has been sent yet.
void EncodeImage(const FactoryRecord& record, FactoryImage& image, const platform::AnsiCodePage& codePage,
                 FactoryLines radioLines = {});

// Image into record: every field of the record.
void DecodeImage(const FactoryImage& image, FactoryRecord& record, const platform::AnsiCodePage& codePage);

// Whether the block's line 0x00 marks the radio as able to take the three-band entry.
bool IsTriBandCapable(const FactoryImage& image);

// The model text of the block as the model check and the window see it.
QString ModelText(const FactoryImage& image, const platform::AnsiCodePage& codePage);

// The serial number the block holds, decoded in the ANSI code page.
QString SerialNumberText(const FactoryImage& image, const platform::AnsiCodePage& codePage);

}  // namespace zr
