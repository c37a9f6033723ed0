#pragma once

#include <random>

#include "record/factory_fields.h"
#include "record/factory_tables.h"
#include "record/image_codec.h"

namespace zr::test {

// A block the window can show, drawn at random: each check and list byte a
// value its control takes (band 14 only on a three-band radio), and every
// other byte anything: texts of any bytes (another code page's, undefined
// sequences, control characters, blanks at the end, an 0xFF tail, bytes after
// the ending 0x00), flag bytes other than 0 and 1, the bits and bytes no field
// covers. The model stays the station's.
inline FactoryImage ShowableBlock(unsigned seed) {
  std::mt19937 random(seed);
  const auto below = [&](int bound) { return std::uniform_int_distribution<int>(0, bound - 1)(random); };
  FactoryImage image;
  for (std::uint8_t& byte : image.Bytes()) byte = static_cast<std::uint8_t>(below(256));
  for (const FactoryField& field : FactoryFields) {
    if (field.kind == FieldKind::Byte) {
      image[field.offset] = static_cast<std::uint8_t>(
          below(field.box.kind == BoxKind::List ? static_cast<int>(field.entries().size()) : 3));
    } else if (IsText(field.kind) && below(2) == 0) {
      // Half the texts end early, in a 0x00 or an 0xFF, with blanks before it now and then.
      const int end = below(field.width);
      for (int at = std::max(0, end - below(3)); at < end; ++at) image[field.offset + at] = ' ';
      image[field.offset + end] = below(2) == 0 ? 0x00 : 0xFF;
    }
  }
  const FactoryField& model = FieldOf(Field::ModelName);
  for (int i = 0; i < model.width; ++i) {
    image[model.offset + i] = i < ExpectedModel.size() ? static_cast<std::uint8_t>(ExpectedModel[i].toLatin1()) : 0;
  }
  if (image[FieldOf(Field::BandIndex).offset] == ThreeBandPosition) image[FeatureByte] |= TriBandBit;
  return image;
}

}  // namespace zr::test
