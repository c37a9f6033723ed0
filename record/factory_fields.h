#pragma once

#include <QString>
#include <QStringList>
#include <algorithm>
#include <array>
#include <compare>
#include <cstddef>
#include <string_view>
#include <utility>

#include "record/factory_image.h"
#include "record/factory_record.h"
#include "record/factory_tables.h"
#include "record/form_values.h"

namespace zr {

// The record's fields, in the order the command line lists them.
enum class Field {
  ModelName,
  SerialNumber,
  BandIndex,
  WorkCountry,
  FactoryMode,
  FreqExpand,
  Aprs,
  QuickReset,
  TurboPower,
  RemoteKill,
  RemoteStun,
  AreaCode,
  ProgramPassword,
  ProducedDate,
  ManufactureCode,
  MaintainedDate,
  MaintainedDescription,
  DealerCode,
  StockDate,
  SellDate,
  Seller,
  PackageCode,
};
inline constexpr std::size_t FieldCount = static_cast<std::size_t>(Field::PackageCode) + 1;

// How a field is held in the block.
enum class FieldKind {
  Byte,      // the whole byte
  FlagByte,  // a switch: read from bit 0, written as the whole byte
  Bit,       // bit 0 of a byte whose other bits are the radio's
  Chars,     // one byte per character; its box takes 7-bit ASCII only
  Text,      // text in the PC's ANSI code page
  NotInBlock,
};

// The kind of box the form shows a field in; in this order the window fills them.
enum class BoxKind { Check, List, Text };

// A box of the form: its kind and its number among the window's boxes of that kind.
struct FormBox {
  BoxKind kind;
  int index;

  friend constexpr auto operator<=>(const FormBox&, const FormBox&) = default;
};

inline constexpr int FeatureByte = 0x06;  // bit 0 FreqExpand, bit 7 TriBandCapable
inline constexpr int NoOffset = -1;

struct FactoryField {
  Field field;
  std::string_view name;  // the command line's name
  int offset;
  int width;  // bytes in the block; characters its box takes
  FieldKind kind;
  FormBox box;
  // The operator may change it and a write takes it into the block; the
  // command line may set exactly these.
  bool settable;
  qint16 FactoryRecord::*recordValue = nullptr;
  QString FactoryRecord::*recordText = nullptr;
  qint16 FormValues::*formCheck = nullptr;
  int FormValues::*formPosition = nullptr;
  QString FormValues::*formText = nullptr;
  const QStringList& (*entries)() = nullptr;  // a list's entries
};

inline constexpr std::array<FactoryField, FieldCount> FactoryFields = {{
    {.field = Field::ModelName, .name = "ModelName", .offset = 0x10, .width = 7, .kind = FieldKind::Chars,
     .box = {BoxKind::List, 0}, .settable = false,
     .recordText = &FactoryRecord::ModelName, .formText = &FormValues::modelName, .entries = ModelList},
    {.field = Field::SerialNumber, .name = "SerialNumber", .offset = 0x30, .width = 16, .kind = FieldKind::Text,
     .box = {BoxKind::Text, 1}, .settable = false,
     .recordText = &FactoryRecord::SerialNumber, .formText = &FormValues::serialNumber},
    {.field = Field::BandIndex, .name = "BandIndex", .offset = 0x03, .width = 1, .kind = FieldKind::Byte,
     .box = {BoxKind::List, 1}, .settable = true,
     .recordValue = &FactoryRecord::BandIndex, .formPosition = &FormValues::bandPosition, .entries = BandDescriptions},
    {.field = Field::WorkCountry, .name = "WorkCountry", .offset = 0x04, .width = 1, .kind = FieldKind::Byte,
     .box = {BoxKind::List, 3}, .settable = true,
     .recordValue = &FactoryRecord::WorkCountry, .formPosition = &FormValues::workCountryPosition,
     .entries = WorkCountries},
    {.field = Field::FactoryMode, .name = "FactoryMode", .offset = 0x02, .width = 1, .kind = FieldKind::Byte,
     .box = {BoxKind::Check, 1}, .settable = true,
     .recordValue = &FactoryRecord::FactoryMode, .formCheck = &FormValues::factoryMode},
    {.field = Field::FreqExpand, .name = "FreqExpand", .offset = FeatureByte, .width = 1, .kind = FieldKind::Bit,
     .box = {BoxKind::Check, 5}, .settable = true,
     .recordValue = &FactoryRecord::FreqExpand, .formCheck = &FormValues::freqExpand},
    {.field = Field::Aprs, .name = "Aprs", .offset = 0x07, .width = 1, .kind = FieldKind::FlagByte,
     .box = {BoxKind::Check, 6}, .settable = true,
     .recordValue = &FactoryRecord::Aprs, .formCheck = &FormValues::aprs},
    {.field = Field::QuickReset, .name = "QuickReset", .offset = 0x08, .width = 1, .kind = FieldKind::FlagByte,
     .box = {BoxKind::Check, 7}, .settable = true,
     .recordValue = &FactoryRecord::QuickReset, .formCheck = &FormValues::quickReset},
    {.field = Field::TurboPower, .name = "TurboPower", .offset = 0x09, .width = 1, .kind = FieldKind::FlagByte,
     .box = {BoxKind::Check, 8}, .settable = true,
     .recordValue = &FactoryRecord::TurboPower, .formCheck = &FormValues::turboPower},
    {.field = Field::RemoteKill, .name = "RemoteKill", .offset = 0x00, .width = 1, .kind = FieldKind::Byte,
     .box = {BoxKind::Check, 2}, .settable = false,
     .recordValue = &FactoryRecord::RemoteKill, .formCheck = &FormValues::remoteKill},
    {.field = Field::RemoteStun, .name = "RemoteStun", .offset = 0x01, .width = 1, .kind = FieldKind::Byte,
     .box = {BoxKind::Check, 3}, .settable = false,
     .recordValue = &FactoryRecord::RemoteStun, .formCheck = &FormValues::remoteStun},
    {.field = Field::AreaCode, .name = "AreaCode", .offset = 0x2C, .width = 4, .kind = FieldKind::Chars,
     .box = {BoxKind::Text, 0}, .settable = true,
     .recordText = &FactoryRecord::AreaCode, .formText = &FormValues::areaCode},
    {.field = Field::ProgramPassword, .name = "ProgramPassword", .offset = 0x28, .width = 4, .kind = FieldKind::Chars,
     .box = {BoxKind::Text, 12}, .settable = true,
     .recordText = &FactoryRecord::ProgramPassword, .formText = &FormValues::programPassword},
    {.field = Field::ProducedDate, .name = "ProducedDate", .offset = 0x40, .width = 16, .kind = FieldKind::Text,
     .box = {BoxKind::Text, 2}, .settable = true,
     .recordText = &FactoryRecord::ProducedDate, .formText = &FormValues::producedDate},
    {.field = Field::ManufactureCode, .name = "ManufactureCode", .offset = 0x50, .width = 8, .kind = FieldKind::Text,
     .box = {BoxKind::Text, 6}, .settable = true,
     .recordText = &FactoryRecord::ManufactureCode, .formText = &FormValues::manufactureCode},
    {.field = Field::MaintainedDate, .name = "MaintainedDate", .offset = 0x60, .width = 16, .kind = FieldKind::Text,
     .box = {BoxKind::Text, 3}, .settable = true,
     .recordText = &FactoryRecord::MaintainedDate, .formText = &FormValues::maintainedDate},
    {.field = Field::MaintainedDescription, .name = "MaintainedDescription", .offset = 0xB0, .width = 80,
     .kind = FieldKind::Text, .box = {BoxKind::Text, 4}, .settable = true,
     .recordText = &FactoryRecord::MaintainedDescription, .formText = &FormValues::maintainedDescription},
    {.field = Field::DealerCode, .name = "DealerCode", .offset = 0x70, .width = 16, .kind = FieldKind::Text,
     .box = {BoxKind::Text, 8}, .settable = true,
     .recordText = &FactoryRecord::DealerCode, .formText = &FormValues::dealerCode},
    {.field = Field::StockDate, .name = "StockDate", .offset = 0x80, .width = 16, .kind = FieldKind::Text,
     .box = {BoxKind::Text, 9}, .settable = true,
     .recordText = &FactoryRecord::StockDate, .formText = &FormValues::stockDate},
    {.field = Field::SellDate, .name = "SellDate", .offset = 0x90, .width = 16, .kind = FieldKind::Text,
     .box = {BoxKind::Text, 10}, .settable = true,
     .recordText = &FactoryRecord::SellDate, .formText = &FormValues::sellDate},
    {.field = Field::Seller, .name = "Seller", .offset = 0xA0, .width = 16, .kind = FieldKind::Text,
     .box = {BoxKind::Text, 11}, .settable = true,
     .recordText = &FactoryRecord::Seller, .formText = &FormValues::seller},
    // Taken by a write for the package database, not for the radio; --package sets it.
    {.field = Field::PackageCode, .name = "PackageCode", .offset = NoOffset, .width = 16, .kind = FieldKind::NotInBlock,
     .box = {BoxKind::Text, 5}, .settable = false, .formText = &FormValues::packageCode},
}};

constexpr const FactoryField& FieldOf(Field field) { return FactoryFields[static_cast<std::size_t>(field)]; }

constexpr bool IsText(FieldKind kind) { return kind == FieldKind::Chars || kind == FieldKind::Text; }

// The field the box shows; null where the window has no box.
constexpr const FactoryField* FieldInBox(FormBox box) {
  const auto* found = std::ranges::find(FactoryFields, box, &FactoryField::box);
  return found == FactoryFields.end() ? nullptr : found;
}

constexpr int BoxIndex(Field field) { return FieldOf(field).box.index; }

// How many boxes of a kind the window numbers: one past the highest number.
constexpr std::size_t BoxCount(BoxKind kind) {
  int highest = -1;
  for (const FactoryField& field : FactoryFields) {
    if (field.box.kind == kind) highest = std::max(highest, field.box.index);
  }
  return static_cast<std::size_t>(highest + 1);
}

// The fields ordered by `key`, for the steps whose order can be seen: which
// refusal a write reports, which boxes a failed show has already filled.
template <typename Key>
consteval std::array<Field, FieldCount> FieldsOrderedBy(Key key) {
  std::array<Field, FieldCount> order{};
  std::ranges::transform(FactoryFields, order.begin(), &FactoryField::field);
  std::ranges::sort(order, {}, [&](Field field) { return key(FieldOf(field)); });
  return order;
}
inline constexpr std::array<Field, FieldCount> BlockOrder =
    FieldsOrderedBy([](const FactoryField& field) { return field.offset; });
inline constexpr std::array<Field, FieldCount> BoxOrder =
    FieldsOrderedBy([](const FactoryField& field) { return field.box; });

namespace detail {
// Every row sits at its enum's place, names the members its kind and box
// need, and holds bytes of the block no other row holds.
consteval bool RowsAreSound() {
  std::array<bool, FactoryImageSize> taken{};
  for (std::size_t i = 0; i < FieldCount; ++i) {
    const FactoryField& row = FactoryFields[i];
    if (static_cast<std::size_t>(row.field) != i) return false;
    if (row.kind != FieldKind::NotInBlock) {
      if (IsText(row.kind) ? !row.recordText : !row.recordValue) return false;
      if (row.offset < 0 || row.offset + row.width > static_cast<int>(taken.size())) return false;
      for (int at = row.offset; at < row.offset + row.width; ++at) {
        if (std::exchange(taken[static_cast<std::size_t>(at)], true)) return false;
      }
    }
    switch (row.box.kind) {
      case BoxKind::Check:
        if (!row.formCheck) return false;
        break;
      case BoxKind::List:
        if (!row.formPosition && !row.formText) return false;
        break;
      case BoxKind::Text:
        if (!row.formText) return false;
        break;
    }
  }
  return true;
}
}  // namespace detail
static_assert(detail::RowsAreSound());

}  // namespace zr
