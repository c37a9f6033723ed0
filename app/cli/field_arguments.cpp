#include "app/cli/field_arguments.h"

#include <QJsonValue>
#include <optional>

#include "app/cli/cli_options.h"
#include "platform/text_format.h"
#include "record/factory_fields.h"

namespace zr::cli {

namespace {

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

QString NameOf(const FactoryField& field) {
  return Latin1(field.name);
}

// What the window shows: every field of the block; the package code is the operator's.
bool IsShown(const FactoryField& field) { return field.kind != FieldKind::NotInBlock; }

QString ShownText(const FormValues& form, const FactoryField& field) {
  if (field.formCheck) return QString::number(form.*field.formCheck);
  if (field.formPosition) {
    const int position = form.*field.formPosition;
    return QStringLiteral("%1 %2").arg(position).arg(ListEntry(field.entries(), position));
  }
  return form.*field.formText;
}

QJsonValue ShownValue(const FormValues& form, const FactoryField& field) {
  if (field.formCheck) return form.*field.formCheck;
  if (field.formPosition) return form.*field.formPosition;
  return form.*field.formText;
}

// The field a setting names; the model list, with its one entry, is no setting.
const FactoryField* SettingNamed(const QString& name) {
  for (const FactoryField& field : FactoryFields) {
    if (field.field != Field::ModelName && name == NameOf(field)) return &field;
  }
  return nullptr;
}

// The first C0, DEL or C1 character; the description's box takes line breaks.
std::optional<char16_t> FirstControl(const FactoryField& field, const QString& value) {
  for (const QChar c : value) {
    const char16_t code = c.unicode();
    const bool control = code < 0x20 || (code >= 0x7F && code <= 0x9F);
    const bool lineBreak = code == u'\r' || code == u'\n';
    if (control && !(lineBreak && field.field == Field::MaintainedDescription)) {
      return code;
    }
  }
  return std::nullopt;
}

QString CodePoint(char32_t c) { return QStringLiteral("U+%1").arg(static_cast<uint>(c), 4, 16, QLatin1Char('0')).toUpper(); }

}  // namespace

std::vector<std::pair<QString, QString>> ShownFieldLines(const FormValues& form, bool triBandCapable) {
  std::vector<std::pair<QString, QString>> lines;
  for (const FactoryField& field : FactoryFields) {
    if (IsShown(field)) lines.emplace_back(NameOf(field), ShownText(form, field));
  }
  lines.emplace_back(QStringLiteral("TriBandCapable"), triBandCapable ? QStringLiteral("1") : QStringLiteral("0"));
  return lines;
}

QJsonObject ShownFieldsJson(const FormValues& form, bool triBandCapable) {
  QJsonObject json;
  for (const FactoryField& field : FactoryFields) {
    if (IsShown(field)) json.insert(NameOf(field), ShownValue(form, field));
  }
  json.insert(QStringLiteral("TriBandCapable"), triBandCapable);
  return json;
}

void SetWindowField(FormValues& form, const QString& name, const QString& value) {
  const FactoryField* field = SettingNamed(name);
  if (field == nullptr) {
    throw UsageError(QStringLiteral("unknown field '%1' (one of: %2)")
                         .arg(name, SettableFieldNames().join(QStringLiteral(", ")))
                         .toStdString());
  }
  if (!field->settable) throw UsageError(name.toStdString() + " cannot be changed from the window");
  switch (field->box.kind) {
    case BoxKind::List:
      form.*field->formPosition = ParsePosition(name, value, field->entries().size());
      break;
    case BoxKind::Check:
      if (value != QLatin1String("0") && value != QLatin1String("1")) {
        throw UsageError(QStringLiteral("%1 must be 0 or 1, not '%2'").arg(name, value).toStdString());
      }
      form.*field->formCheck = static_cast<qint16>(value.toShort());
      break;
    case BoxKind::Text:
      if (const std::optional<char16_t> control = FirstControl(*field, value)) {
        throw UsageError(QStringLiteral("%1 takes no control characters, not %2")
                             .arg(name, CodePoint(*control)).toStdString());
      }
      if (field->kind == FieldKind::Chars) {
        for (QChar c : value) {
          if (c.unicode() > 127) {
            throw UsageError(QStringLiteral("%1 takes 7-bit ASCII only, not '%2'").arg(name, value).toStdString());
          }
        }
      }
      // A box stops typing at its limit; a script's longer value is a mistake,
      // not something to cut without a word.
      if (value.size() > field->width) {
        throw UsageError(QStringLiteral("%1 holds at most %2 characters, not %3").arg(name).arg(field->width)
                             .arg(value.size()).toStdString());
      }
      form.*field->formText = value;
      break;
  }
}

void RefuseUnstorableText(const QString& name, const QString& value, const platform::AnsiCodePage& codePage) {
  const FactoryField* field = SettingNamed(name);
  if (field == nullptr || field->box.kind != BoxKind::Text) return;
  if (const std::optional<char32_t> missing = codePage.FirstUnencodable(value)) {
    throw UsageError(QStringLiteral("%1: the character '%2' (%3) cannot be stored in code page %4")
                         .arg(name, QString::fromUcs4(&*missing, 1), CodePoint(*missing))
                         .arg(codePage.Number())
                         .toStdString());
  }
  if (const qsizetype bytes = codePage.Encode(value).size(); bytes > field->width) {
    throw UsageError(QStringLiteral("%1 holds at most %2 bytes in code page %3, not %4")
                         .arg(name).arg(field->width).arg(codePage.Number()).arg(bytes)
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
  QStringList names;
  for (const FactoryField& field : FactoryFields) {
    if (field.settable) names << NameOf(field);
  }
  return names;
}

namespace {

QString ValuesTaken(const FactoryField& field) {
  switch (field.box.kind) {
    case BoxKind::Check: return QStringLiteral("0 or 1");
    case BoxKind::List: {
      if (field.field == Field::BandIndex) {
        return QStringLiteral("a band's position, 0 to %1 (below)").arg(field.entries().size() - 1);
      }
      QStringList entries;
      for (int position = 0; position < field.entries().size(); ++position) {
        entries << QStringLiteral("%1 %2").arg(position).arg(field.entries()[position]);
      }
      return entries.join(QStringLiteral(", "));
    }
    case BoxKind::Text:
      return field.kind == FieldKind::Chars
                 ? QStringLiteral("at most %1 characters, 7-bit ASCII").arg(field.width)
                 : QStringLiteral("at most %1 characters, %1 bytes in the ANSI code page").arg(field.width);
  }
  return QString();
}

}  // namespace

QString SettableFieldsHelp() {
  QString help = QStringLiteral("\nFields for --set FIELD=VALUE, with what each takes:\n");
  for (const FactoryField& field : FactoryFields) {
    if (field.settable) help += QStringLiteral("  %1 %2\n").arg(NameOf(field), -22).arg(ValuesTaken(field));
  }
  help += QStringLiteral("\nBands for --set BandIndex=N (* only on a three-band radio, TriBandCapable 1):\n");
  const QStringList& bands = BandDescriptions();
  for (int position = 0; position < bands.size(); ++position) {
    const QString mark = position == ThreeBandPosition ? QStringLiteral("*") : QStringLiteral(" ");
    help += QStringLiteral("  %1%2  %3\n").arg(position, 2).arg(mark, bands[position]);
  }
  return help;
}

}  // namespace zr::cli
