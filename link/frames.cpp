#include "link/frames.h"

#include <algorithm>

namespace zr {

namespace {

constexpr int AddressBytes = 4;

int UpperBound(std::span<const std::uint8_t> bytes) { return static_cast<int>(bytes.size()) - 1; }

void PutAddress(Bytes& frame, std::uint32_t address) {
  for (int i = AddressBytes; i >= 1; --i) {
    frame[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(address & 0xFF);
    address >>= 8;
  }
}

bool Equals(std::span<const std::uint8_t> reply, std::initializer_list<std::uint8_t> expected) {
  return std::equal(reply.begin(), reply.end(), expected.begin(), expected.end());
}

}  // namespace

std::uint8_t SumBytes(std::span<const std::uint8_t> bytes, int first, int last) {
  if (last == 0) last = UpperBound(bytes) - 2;
  unsigned sum = 0;
  for (int i = first; i <= last; ++i) sum += bytes[static_cast<std::size_t>(i)];
  return static_cast<std::uint8_t>(sum & 0xFF);
}

bool CheckSum(std::span<const std::uint8_t> bytes, int first, int last, int position) {
  if (position == 0) position = UpperBound(bytes) - 1;
  return SumBytes(bytes, first, last) == bytes[static_cast<std::size_t>(position)];
}

Bytes BuildProgram() { return {'P', 'R', 'O', 'G', 'R', 'A', 'M'}; }

Bytes BuildReadRequest(std::uint32_t address, std::uint8_t length) {
  Bytes frame(6);
  frame[0] = ReadRequestCode;
  PutAddress(frame, address);
  frame[5] = length;
  return frame;
}

Bytes BuildWriteFrame(std::uint32_t address, std::span<const std::uint8_t, LineLength> data) {
  Bytes frame(DataReplyLength);
  frame[0] = WriteFrameCode;
  PutAddress(frame, address);
  frame[5] = LineLength;
  std::copy(data.begin(), data.end(), frame.begin() + 6);
  frame[22] = SumBytes(frame, 1, 0);
  frame[23] = AckByte;
  return frame;
}

Bytes BuildEnd() { return {'E', 'N', 'D'}; }

bool IsProgramAck(std::span<const std::uint8_t> reply) { return Equals(reply, {'T', 'K', AckByte}); }

bool IsAck(std::span<const std::uint8_t> reply) { return Equals(reply, {AckByte}); }

bool IsRepeatRequest(std::span<const std::uint8_t> reply) { return Equals(reply, {RepeatRequestByte}); }

bool IsDataReply(std::span<const std::uint8_t> reply) {
  return reply.size() == DataReplyLength && reply[0] == WriteFrameCode && reply[5] == LineLength &&
         reply[23] == AckByte && CheckSum(reply, 1, 0, 0);
}

std::uint32_t FrameAddress(std::span<const std::uint8_t> frame) {
  std::uint32_t address = 0;
  for (int i = 1; i <= AddressBytes; ++i) address = (address << 8) | frame[static_cast<std::size_t>(i)];
  return address;
}

}  // namespace zr
