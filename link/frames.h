#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace zr {

// Bytes on the serial line: one frame or one reply.
using Bytes = std::vector<std::uint8_t>;

inline constexpr std::uint8_t ReadRequestCode = 'R';
inline constexpr std::uint8_t WriteFrameCode = 'W';  // also the first byte of a data reply
inline constexpr std::uint8_t LineLength = 0x10;
inline constexpr std::uint8_t AckByte = 0x06;
inline constexpr std::uint8_t RepeatRequestByte = 0x0A;

// Reply lengths of the four requests.
inline constexpr int ProgramReplyLength = 3;
inline constexpr int DataReplyLength = LineLength + 8;  // 24
inline constexpr int WriteReplyLength = 1;
inline constexpr int EndReplyLength = 1;

// Additive 8-bit checksum of bytes first..last. A last index of 0 means
// "upper bound - 2": for a 24-byte frame, index 21.
std::uint8_t SumBytes(std::span<const std::uint8_t> bytes, int first, int last);
// Whether SumBytes(first, last) equals the byte at `position`; a position of 0
// means "upper bound - 1" (index 22 of a 24-byte frame), `last` defaults as above.
bool CheckSum(std::span<const std::uint8_t> bytes, int first, int last, int position);

Bytes BuildProgram();                                          // "PROGRAM"
Bytes BuildReadRequest(std::uint32_t address, std::uint8_t length);  // 'R', address, length
Bytes BuildWriteFrame(std::uint32_t address, std::span<const std::uint8_t, LineLength> data);
Bytes BuildEnd();                                              // "END"

// Reply tests, on the bytes collected for the current request.
bool IsProgramAck(std::span<const std::uint8_t> reply);     // "TK", 0x06
bool IsAck(std::span<const std::uint8_t> reply);            // 0x06
bool IsRepeatRequest(std::span<const std::uint8_t> reply);  // 0x0A
bool IsDataReply(std::span<const std::uint8_t> reply);      // 'W' ... checksum, 0x06

// The big-endian line address in bytes 1-4 of a data reply or write frame.
std::uint32_t FrameAddress(std::span<const std::uint8_t> frame);

}  // namespace zr
