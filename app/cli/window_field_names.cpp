#include "app/cli/window_field_names.h"

#include <QJsonValue>
#include <algorithm>
#include <array>
#include <optional>

#include "app/cli/cli_options.h"
#include "record/factory_tables.h"

namespace zr::cli {

namespace {

struct CheckField {
  const char* name;
  qint16 WindowFields::*member;
  bool settable;
};

constexpr std::array<CheckField, 7> CheckFields = {{
    {"FactoryMode", &WindowFields::Check1, true},
    {"FreqExpand", &WindowFields::Check5, true},
    {"Aprs", &WindowFields::Check6, true},
    {"QuickReset", &WindowFields::Check7, true},
    {"TurboPower", &WindowFields::Check8, true},
    {"RemoteKill", &WindowFields::Check2, false},
    {"RemoteStun", &WindowFields::Check3, false},
}};

struct TextField {
  const char* name;
  int box;
  bool settable;
};

constexpr std::array<TextField, 12> TextFields = {{
    {"SerialNumber", TextBox::SerialNumber, false},
    {"AreaCode", TextBox::AreaCode, true},
    {"ProgramPassword", TextBox::ProgramPassword, true},
    {"ProducedDate", TextBox::ProducedDate, true},
    {"ManufactureCode", TextBox::ManufactureCode, true},
    {"MaintainedDate", TextBox::MaintainedDate, true},
    {"MaintainedDescription", TextBox::MaintainedDescription, true},
    {"DealerCode", TextBox::DealerCode, true},
    {"StockDate", TextBox::StockDate, true},
    {"SellDate", TextBox::SellDate, true},
    {"Seller", TextBox::Seller, true},
    {"PackageCode", TextBox::PackageCode, false},
}};

QString ListEntry(const QStringList& entries, int position) {
  return position >= 0 && position < entries.size() ? entries[position] : QString();
}

int ParsePosition(const QString& name, const QString& value, qsizetype entries) {
  const std::optional<int> position = ParseDecimal(value, static_cast<int>(entries) - 1);
  if (!position) {
    throw UsageError(QStringLiteral("%1 must be a list position from 0 to %2, not '%3'")
                         .arg(name)
                         .arg(entries - 1)
                         .arg(value)
                         .toStdString());
  }
  return *position;
}

QString CodePoint(char32_t c) { return QStringLiteral("U+%1").arg(static_cast<uint>(c), 4, 16, QLatin1Char('0')).toUpper(); }

}  // namespace

std::vector<std::pair<QString, QString>> ShownFieldLines(const WindowFields& fields, bool triBandCapable) {
  std::vector<std::pair<QString, QString>> lines;
  lines.emplace_back(QStringLiteral("ModelName"), fields.ModelText);
  lines.emplace_back(QStringLiteral("SerialNumber"), fields.Text1[TextBox::SerialNumber]);
  lines.emplace_back(QStringLiteral("BandIndex"), QStringLiteral("%1 %2").arg(fields.BandPosition).arg(
                                                      ListEntry(BandDescriptions(), fields.BandPosition)));
  lines.emplace_back(QStringLiteral("WorkCountry"), QStringLiteral("%1 %2").arg(fields.WorkCountryPosition).arg(
                                                        ListEntry(WorkCountries(), fields.WorkCountryPosition)));
  for (const CheckField& check : CheckFields) {
    lines.emplace_back(QString::fromLatin1(check.name), QString::number(fields.*check.member));
  }
  for (const TextField& text : TextFields) {
    if (text.box == TextBox::SerialNumber || text.box == TextBox::PackageCode) continue;
    lines.emplace_back(QString::fromLatin1(text.name), fields.Text1[static_cast<std::size_t>(text.box)]);
  }
  lines.emplace_back(QStringLiteral("TriBandCapable"), triBandCapable ? QStringLiteral("1") : QStringLiteral("0"));
  return lines;
}

QJsonObject ShownFieldsJson(const WindowFields& fields, bool triBandCapable) {
  QJsonObject json;
  json.insert(QStringLiteral("ModelName"), fields.ModelText);
  json.insert(QStringLiteral("BandIndex"), fields.BandPosition);
  json.insert(QStringLiteral("WorkCountry"), fields.WorkCountryPosition);
  for (const CheckField& check : CheckFields) json.insert(QString::fromLatin1(check.name), fields.*check.member);
  for (const TextField& text : TextFields) {
    if (text.box == TextBox::PackageCode) continue;
    json.insert(QString::fromLatin1(text.name), fields.Text1[static_cast<std::size_t>(text.box)]);
  }
  json.insert(QStringLiteral("TriBandCapable"), triBandCapable);
  return json;
}

void SetWindowField(WindowFields& fields, const QString& name, const QString& value) {
  if (name == QLatin1String("BandIndex")) {
    fields.BandPosition = ParsePosition(name, value, BandDescriptions().size());
    return;
  }
  if (name == QLatin1String("WorkCountry")) {
    fields.WorkCountryPosition = ParsePosition(name, value, WorkCountries().size());
    return;
  }
  for (const CheckField& check : CheckFields) {
    if (name != QLatin1String(check.name)) continue;
    if (!check.settable) throw UsageError(name.toStdString() + " cannot be changed from the window");
    if (value != QLatin1String("0") && value != QLatin1String("1")) {
      throw UsageError(QStringLiteral("%1 must be 0 or 1, not '%2'").arg(name, value).toStdString());
    }
    fields.*check.member = static_cast<qint16>(value.toShort());
    return;
  }
  for (const TextField& text : TextFields) {
    if (name != QLatin1String(text.name)) continue;
    if (!text.settable) throw UsageError(name.toStdString() + " cannot be changed from the window");
    if (IsAsciiOnlyBox(text.box)) {
      for (QChar c : value) {
        if (c.unicode() > 127) {
          throw UsageError(QStringLiteral("%1 takes 7-bit ASCII only, not '%2'").arg(name, value).toStdString());
        }
      }
    }
    fields.Text1[static_cast<std::size_t>(text.box)] = value.left(TextBoxLimit(text.box));
    return;
  }
  throw UsageError(QStringLiteral("unknown field '%1' (one of: %2)")
                       .arg(name, SettableFieldNames().join(QStringLiteral(", ")))
                       .toStdString());
}

void RefuseUnstorableText(const QString& name, const QString& value, const platform::AnsiCodePage& codePage) {
  const bool isText = std::any_of(TextFields.begin(), TextFields.end(),
                                  [&](const TextField& text) { return name == QLatin1String(text.name); });
  if (!isText) return;
  if (const std::optional<char32_t> missing = codePage.FirstUnencodable(value)) {
    throw UsageError(QStringLiteral("%1: the character '%2' (%3) cannot be stored in code page %4")
                         .arg(name, QString::fromUcs4(&*missing, 1), CodePoint(*missing),
                              QString::fromLatin1(codePage.Name()))
                         .toStdString());
  }
  // The radio ends a text at its first 0x00 or 0xFF byte.
  for (const char32_t c : value.toUcs4()) {
    const QByteArray bytes = codePage.Encode(QString::fromUcs4(&c, 1));
    if (bytes.contains('\0') || bytes.contains('\xFF')) {
      throw UsageError(QStringLiteral("%1: the character %2 would end the field early").arg(name, CodePoint(c)).toStdString());
    }
  }
}

QStringList SettableFieldNames() {
  QStringList names = {QStringLiteral("BandIndex"), QStringLiteral("WorkCountry")};
  for (const CheckField& check : CheckFields) {
    if (check.settable) names << QString::fromLatin1(check.name);
  }
  for (const TextField& text : TextFields) {
    if (text.settable) names << QString::fromLatin1(text.name);
  }
  return names;
}

}  // namespace zr::cli
