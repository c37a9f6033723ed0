#include "link/block_file_values.h"

#include <algorithm>

#include "record/factory_fields.h"
#include "record/image_codec.h"

namespace zr {

namespace {

std::span<const std::uint8_t> BytesOf(const FactoryImage& image, const FactoryField& field) {
  return std::span(image.Bytes()).subspan(static_cast<std::size_t>(field.offset), static_cast<std::size_t>(field.width));
}

}  // namespace

std::optional<WriteRefusal> BlockFileValues::MakeBlock(const BlockAsRead& asRead, FactoryImage& image) {
  const FactoryField& serial = FieldOf(Field::SerialNumber);
  if (!otherRadio_ && !std::ranges::equal(BytesOf(file_, serial), BytesOf(asRead.bytes, serial))) {
    return WriteRefusal{TransferEnd::ImageRefused,
                        QStringLiteral("the block file is radio \"%1\"'s, this radio is \"%2\"; nothing was written")
                            .arg(SerialNumberText(file_, codePage_).trimmed(),
                                 SerialNumberText(asRead.bytes, codePage_).trimmed())};
  }
  for (int offset = 0; offset < FactoryImageSize; offset += FactoryLineSize) {
    if (!IsWrittenLine(offset)) continue;
    const auto line = std::as_const(file_).Line(offset);
    std::copy(line.begin(), line.end(), image.Line(offset).begin());
  }
  // The radio's identity and protection are not a file's to change.
  for (const Field kept : {Field::RemoteKill, Field::RemoteStun}) {
    image[FieldOf(kept).offset] = asRead.bytes[FieldOf(kept).offset];
  }
  image[FeatureByte] = static_cast<std::uint8_t>((image[FeatureByte] & ~TriBandBit) | (asRead.bytes[FeatureByte] & TriBandBit));
  return std::nullopt;
}

}  // namespace zr
