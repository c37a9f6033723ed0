#pragma once

#include "platform/ansi_code_page.h"
#include "record/factory_image.h"
#include "record/factory_record.h"

namespace zr {

// Block offsets of the record's fields.
namespace FieldOffset {
inline constexpr int RemoteKill = 0x00;
inline constexpr int RemoteStun = 0x01;
inline constexpr int FactoryMode = 0x02;
inline constexpr int BandIndex = 0x03;
inline constexpr int WorkCountry = 0x04;
inline constexpr int FeatureBits = 0x06;  // bit 0 FreqExpand, bit 7 TriBandCapable
inline constexpr int Aprs = 0x07;
inline constexpr int QuickReset = 0x08;
inline constexpr int TurboPower = 0x09;
inline constexpr int ModelName = 0x10;
inline constexpr int ProgramPassword = 0x28;
inline constexpr int AreaCode = 0x2C;
inline constexpr int SerialNumber = 0x30;
inline constexpr int ProducedDate = 0x40;
inline constexpr int ManufactureCode = 0x50;
inline constexpr int MaintainedDate = 0x60;
inline constexpr int DealerCode = 0x70;
inline constexpr int StockDate = 0x80;
inline constexpr int SellDate = 0x90;
inline constexpr int Seller = 0xA0;
inline constexpr int MaintainedDescription = 0xB0;
}  // namespace FieldOffset

inline constexpr std::uint8_t TriBandBit = 0x80;

// Record into image: only the fields a write may change. Bytes 0x00, 0x01,
// 0x05, 0x0A-0x27, 0x30-0x3F, 0x58-0x5F and bits 1-7 of 0x06 stay as they are.
// A value that is not a byte (a list without selection) or a character that
// does not fit in one byte raises RuntimeError; the image may then be partly
// written, which is harmless because nothing has been sent yet.
void EncodeImage(const FactoryRecord& record, FactoryImage& image, const platform::AnsiCodePage& codePage);

// Image into record: every field of the record.
void DecodeImage(const FactoryImage& image, FactoryRecord& record, const platform::AnsiCodePage& codePage);

// Whether the block's line 0x00 marks the radio as able to take the three-band entry.
bool IsTriBandCapable(const FactoryImage& image);

// The model text of the block as the model check and the window see it.
QString ModelText(const FactoryImage& image, const platform::AnsiCodePage& codePage);

}  // namespace zr
