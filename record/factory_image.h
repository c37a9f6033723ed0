#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <span>

namespace zr {

// Radio address of byte 0 of the factory block.
inline constexpr std::uint32_t FactoryBase = 0x02FA0000;
inline constexpr int FactoryImageSize = 256;
inline constexpr int FactoryLineSize = 16;
inline constexpr int FactoryLineCount = FactoryImageSize / FactoryLineSize;

// A set of the block's lines, by line number (offset / 16).
using FactoryLines = std::bitset<FactoryLineCount>;

// The station's copy of the radio's 256-byte factory block. Index i is radio
// address FactoryBase + i. An index outside 0..255 is a programming error and
// stops the program rather than touching memory it does not own.
class FactoryImage {
 public:
  std::uint8_t& operator[](int index) { return bytes_[Checked(index)]; }
  std::uint8_t operator[](int index) const { return bytes_[Checked(index)]; }

  // The 16 bytes of the line that starts at `offset` (a multiple of 16).
  std::span<std::uint8_t, FactoryLineSize> Line(int offset);
  std::span<const std::uint8_t, FactoryLineSize> Line(int offset) const;

  const std::array<std::uint8_t, FactoryImageSize>& Bytes() const { return bytes_; }
  std::array<std::uint8_t, FactoryImageSize>& Bytes() { return bytes_; }

  friend bool operator==(const FactoryImage&, const FactoryImage&) = default;

 private:
  static std::size_t Checked(int index);

  std::array<std::uint8_t, FactoryImageSize> bytes_{};
};

}  // namespace zr
