#include "record/image_codec.h"

#include <string>

#include "record/field_conversions.h"
#include "record/runtime_error.h"

namespace zr {

namespace {

std::uint8_t AsByte(qint16 value, const char* field) {
  if (value < 0 || value > 0xFF) {
    throw RuntimeError(std::string(field) + " value " + std::to_string(value) + " does not fit in a byte");
  }
  return static_cast<std::uint8_t>(value);
}

qint16 Bit0(std::uint8_t byte) { return static_cast<qint16>(byte & 0x01); }

}  // namespace

void EncodeImage(const FactoryRecord& record, FactoryImage& image, const platform::AnsiCodePage& codePage) {
  using namespace FieldOffset;
  image[FactoryMode] = AsByte(record.FactoryMode, "FactoryMode");
  image[BandIndex] = AsByte(record.BandIndex, "BandIndex");
  image[WorkCountry] = AsByte(record.WorkCountry, "WorkCountry");
  image[FeatureBits] = static_cast<std::uint8_t>((image[FeatureBits] & 0xFE) | (record.FreqExpand & 1));
  image[Aprs] = AsByte(record.Aprs, "Aprs");
  image[QuickReset] = AsByte(record.QuickReset, "QuickReset");
  image[TurboPower] = AsByte(record.TurboPower, "TurboPower");

  FieldWriter writer(image, codePage);
  writer.PutChars(AreaCode, TrimAtNul(record.AreaCode), FieldWidth::AreaCode);
  writer.PutChars(ProgramPassword, TrimAtNul(record.ProgramPassword), FieldWidth::ProgramPassword);
  writer.PutText(ProducedDate, TrimAtNul(record.ProducedDate), FieldWidth::ProducedDate);
  writer.PutText(ManufactureCode, TrimAtNul(record.ManufactureCode), FieldWidth::ManufactureCode);
  writer.PutText(MaintainedDate, TrimAtNul(record.MaintainedDate), FieldWidth::MaintainedDate);
  writer.PutText(DealerCode, TrimAtNul(record.DealerCode), FieldWidth::DealerCode);
  writer.PutText(StockDate, TrimAtNul(record.StockDate), FieldWidth::StockDate);
  writer.PutText(SellDate, TrimAtNul(record.SellDate), FieldWidth::SellDate);
  writer.PutText(Seller, TrimAtNul(record.Seller), FieldWidth::Seller);
  writer.PutText(MaintainedDescription, TrimAtNul(record.MaintainedDescription), FieldWidth::MaintainedDescription);
}

void DecodeImage(const FactoryImage& image, FactoryRecord& record, const platform::AnsiCodePage& codePage) {
  using namespace FieldOffset;
  record.RemoteKill = image[RemoteKill];
  record.RemoteStun = image[RemoteStun];
  record.FactoryMode = image[FactoryMode];
  record.BandIndex = image[BandIndex];
  record.WorkCountry = image[WorkCountry];
  record.FreqExpand = Bit0(image[FeatureBits]);
  record.Aprs = Bit0(image[Aprs]);
  record.QuickReset = Bit0(image[QuickReset]);
  record.TurboPower = Bit0(image[TurboPower]);

  const FieldReader reader(image, codePage);
  record.ModelName = reader.GetChars(ModelName, FieldWidth::ModelName);
  StoreText(record.ProgramPassword, reader.GetChars(ProgramPassword, FieldWidth::ProgramPassword),
            FieldWidth::ProgramPassword);
  StoreText(record.AreaCode, reader.GetChars(AreaCode, FieldWidth::AreaCode), FieldWidth::AreaCode);
  const auto text = [&](QString& field, int offset, int width) {
    StoreDecodedText(field, reader.GetText(offset, width), width);
  };
  text(record.SerialNumber, SerialNumber, FieldWidth::SerialNumber);
  text(record.ProducedDate, ProducedDate, FieldWidth::ProducedDate);
  text(record.ManufactureCode, ManufactureCode, FieldWidth::ManufactureCode);
  text(record.MaintainedDate, MaintainedDate, FieldWidth::MaintainedDate);
  text(record.DealerCode, DealerCode, FieldWidth::DealerCode);
  text(record.StockDate, StockDate, FieldWidth::StockDate);
  text(record.SellDate, SellDate, FieldWidth::SellDate);
  text(record.Seller, Seller, FieldWidth::Seller);
  text(record.MaintainedDescription, MaintainedDescription, FieldWidth::MaintainedDescription);
}

bool IsTriBandCapable(const FactoryImage& image) { return (image[FieldOffset::FeatureBits] & TriBandBit) != 0; }

QString ModelText(const FactoryImage& image, const platform::AnsiCodePage& codePage) {
  return TrimAtNul(FieldReader(image, codePage).GetChars(FieldOffset::ModelName, FieldWidth::ModelName));
}

}  // namespace zr
