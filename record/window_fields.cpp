#include "record/window_fields.h"

#include "record/factory_tables.h"
#include "record/field_conversions.h"
#include "record/runtime_error.h"

namespace zr {

namespace {

qint16 CheckValue(qint16 value, const char* control) {
  if (value < 0 || value > 2) {
    throw RuntimeError(std::string(control) + " cannot show the value " + std::to_string(value));
  }
  return value;
}

int ListPosition(int value, qsizetype entries, const char* control) {
  if (value < 0 || value >= entries) {
    throw RuntimeError(std::string(control) + " has no entry " + std::to_string(value));
  }
  return value;
}

}  // namespace

int TextBoxLimit(int index) {
  static constexpr std::array<int, 13> limits = {4, 16, 16, 16, 80, 16, 8, 0, 16, 16, 16, 16, 4};
  return limits.at(static_cast<std::size_t>(index));
}

bool IsAsciiOnlyBox(int index) { return index == TextBox::AreaCode || index == TextBox::ProgramPassword; }

bool TakeFieldsIntoRecord(WindowFields& fields, FactoryRecord& record, QString& packageCode, bool triBandCapable,
                          const std::function<bool()>& confirmBandChange) {
  record.FactoryMode = fields.Check1;
  record.FreqExpand = fields.Check5;
  record.Aprs = fields.Check6;
  record.QuickReset = fields.Check7;
  record.TurboPower = fields.Check8;
  record.WorkCountry = static_cast<qint16>(fields.WorkCountryPosition);

  if (!triBandCapable && fields.BandPosition == ThreeBandPosition) return false;

  if (fields.BandPosition != record.BandIndex) {
    if (confirmBandChange()) {
      record.BandIndex = static_cast<qint16>(fields.BandPosition);
    } else {
      fields.BandPosition = record.BandIndex;
    }
  }

  const auto take = [&](QString& field, int box, int width) {
    StoreText(field, RemoveTrailingBlanks(fields.Text1[static_cast<std::size_t>(box)]), width);
  };
  take(record.AreaCode, TextBox::AreaCode, FieldWidth::AreaCode);
  take(record.ProducedDate, TextBox::ProducedDate, FieldWidth::ProducedDate);
  take(record.MaintainedDate, TextBox::MaintainedDate, FieldWidth::MaintainedDate);
  take(record.MaintainedDescription, TextBox::MaintainedDescription, FieldWidth::MaintainedDescription);
  take(record.ManufactureCode, TextBox::ManufactureCode, FieldWidth::ManufactureCode);
  take(record.DealerCode, TextBox::DealerCode, FieldWidth::DealerCode);
  take(record.StockDate, TextBox::StockDate, FieldWidth::StockDate);
  take(record.SellDate, TextBox::SellDate, FieldWidth::SellDate);
  take(record.Seller, TextBox::Seller, FieldWidth::Seller);
  take(record.ProgramPassword, TextBox::ProgramPassword, FieldWidth::ProgramPassword);
  packageCode = fields.Text1[TextBox::PackageCode];
  return true;
}

void ShowRecordInFields(const FactoryRecord& record, WindowFields& fields) {
  fields.Check1 = CheckValue(record.FactoryMode, "Check1");
  fields.Check2 = CheckValue(record.RemoteKill, "Check2");
  fields.Check3 = CheckValue(record.RemoteStun, "Check3");
  fields.Check5 = CheckValue(record.FreqExpand, "Check5");
  fields.Check6 = CheckValue(record.Aprs, "Check6");
  fields.Check7 = CheckValue(record.QuickReset, "Check7");
  fields.Check8 = CheckValue(record.TurboPower, "Check8");
  fields.ModelText = FindInList({ExpectedModel}, TrimAtNul(record.ModelName));
  fields.BandPosition = ListPosition(record.BandIndex, BandDescriptions().size(), "Combo1(1)");
  fields.WorkCountryPosition = ListPosition(record.WorkCountry, WorkCountries().size(), "Combo1(3)");

  const auto show = [&](int box, const QString& field) { fields.Text1[static_cast<std::size_t>(box)] = TrimAtNul(field); };
  show(TextBox::AreaCode, record.AreaCode);
  show(TextBox::SerialNumber, record.SerialNumber);
  show(TextBox::ProducedDate, record.ProducedDate);
  show(TextBox::MaintainedDate, record.MaintainedDate);
  show(TextBox::MaintainedDescription, record.MaintainedDescription);
  show(TextBox::ManufactureCode, record.ManufactureCode);
  show(TextBox::DealerCode, record.DealerCode);
  show(TextBox::StockDate, record.StockDate);
  show(TextBox::SellDate, record.SellDate);
  show(TextBox::Seller, record.Seller);
  show(TextBox::ProgramPassword, record.ProgramPassword);
}

}  // namespace zr
