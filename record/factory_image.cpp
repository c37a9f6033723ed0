#include "record/factory_image.h"

#include "platform/contract.h"

namespace zr {

std::size_t FactoryImage::Checked(int index) {
  platform::Expects(index >= 0 && index < FactoryImageSize, "FactoryImage index outside 0..255");
  return static_cast<std::size_t>(index);
}

std::span<std::uint8_t, FactoryLineSize> FactoryImage::Line(int offset) {
  Checked(offset);
  Checked(offset + FactoryLineSize - 1);
  return std::span<std::uint8_t, FactoryLineSize>(bytes_.data() + offset, FactoryLineSize);
}

std::span<const std::uint8_t, FactoryLineSize> FactoryImage::Line(int offset) const {
  Checked(offset);
  Checked(offset + FactoryLineSize - 1);
  return std::span<const std::uint8_t, FactoryLineSize>(bytes_.data() + offset, FactoryLineSize);
}

}  // namespace zr
