#include "app/cli/log_command.h"

#include <QJsonArray>
#include <QStringList>
#include <algorithm>
#include <utility>
#include <vector>

#include "app/cli/exit_status.h"
#include "app/station/state_folder.h"
#include "app/station/station_log.h"
#include "record/factory_fields.h"

namespace zr::cli {

namespace {

QString TextOrDash(const QJsonValue& value) {
  const QString text = value.toString();
  return text.isEmpty() ? QStringLiteral("-") : text;
}

QDateTime TimeOf(const QJsonObject& entry) {
  return QDateTime::fromString(entry.value(QLatin1String("time")).toString(), Qt::ISODateWithMs);
}

// The fields whose bytes the write changed, each once, in block order; a byte
// that belongs to no field by its offset.
QString ChangedFields(const QJsonArray& changes) {
  std::vector<std::pair<int, QString>> changed;  // where in the block, what
  for (const QJsonValue& change : changes) {
    const QString offsetText = change.toObject().value(QLatin1String("offset")).toString();
    bool isNumber = false;
    const int offset = offsetText.toInt(&isNumber, 16);
    if (!isNumber) continue;
    const auto* field = std::ranges::find_if(FactoryFields, [&](const FactoryField& row) {
      return row.kind != FieldKind::NotInBlock && offset >= row.offset && offset < row.offset + row.width;
    });
    if (field == FactoryFields.end()) {
      changed.emplace_back(offset, offsetText);
    } else {
      changed.emplace_back(field->offset,
                           QString::fromLatin1(field->name.data(), static_cast<qsizetype>(field->name.size())));
    }
  }
  std::ranges::sort(changed);
  changed.erase(std::unique(changed.begin(), changed.end()), changed.end());
  QStringList names;
  for (const auto& [offset, name] : changed) names << name;
  return names.isEmpty() ? QStringLiteral("-") : names.join(QStringLiteral(", "));
}

QStringList TableRow(const QJsonObject& entry) {
  const QDateTime time = TimeOf(entry);
  const QJsonValue com = entry.value(QLatin1String("port")).toObject().value(QLatin1String("com"));
  return {
      time.isValid() ? time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) : QStringLiteral("-"),
      com.isDouble() ? QStringLiteral("COM%1").arg(com.toInt()) : QStringLiteral("-"),
      TextOrDash(entry.value(QLatin1String("operation"))),
      TextOrDash(entry.value(QLatin1String("outcome"))),
      TextOrDash(entry.value(QLatin1String("serial"))),
      TextOrDash(entry.value(QLatin1String("package"))),
      ChangedFields(entry.value(QLatin1String("changes")).toArray()),
  };
}

// Columns as wide as their widest cell, two blanks apart; the last one unpadded.
void PrintTable(QTextStream& out, const std::vector<QStringList>& rows) {
  std::vector<qsizetype> widths(rows.front().size(), 0);
  for (const QStringList& row : rows) {
    for (qsizetype column = 0; column < row.size(); ++column) {
      widths[static_cast<std::size_t>(column)] = std::max(widths[static_cast<std::size_t>(column)], row[column].size());
    }
  }
  for (const QStringList& row : rows) {
    for (qsizetype column = 0; column + 1 < row.size(); ++column) {
      out << row[column].leftJustified(widths[static_cast<std::size_t>(column)] + 2);
    }
    out << row.back() << '\n';
  }
}

}  // namespace

int ShowStationLog(const LogOptions& options, QTextStream& out, QTextStream& err) {
  const station::StationLog log(options.logPath.isEmpty() ? station::DefaultStationLogPath() : options.logPath);
  const station::StationLogContents contents = log.Read();
  if (contents.missing) {
    err << "zr93kw-setfactory: no station log at " << log.Path() << " yet\n";
    return ExitStatus::Success;
  }
  if (!contents.error.isEmpty()) {
    err << "zr93kw-setfactory: " << contents.error << '\n';
    return ExitStatus::Usage;  // nothing to show, as for a refused argument
  }
  if (!contents.skippedLines.empty()) {
    QStringList numbers;
    for (int line : contents.skippedLines) numbers << QString::number(line);
    err << "zr93kw-setfactory: " << log.Path() << (numbers.size() == 1 ? ": line " : ": lines ")
        << numbers.join(QStringLiteral(", ")) << (numbers.size() == 1 ? " holds" : " hold")
        << " no log entry; skipped\n";
  }

  std::vector<QStringList> rows = {{QStringLiteral("time"), QStringLiteral("port"), QStringLiteral("operation"),
                                    QStringLiteral("outcome"), QStringLiteral("serial"), QStringLiteral("package"),
                                    QStringLiteral("changed fields")}};
  for (const station::LoggedEntry& entry : contents.entries) {
    if (options.serial && entry.fields.value(QLatin1String("serial")).toString() != *options.serial) continue;
    if (options.since) {
      const QDateTime time = TimeOf(entry.fields);
      if (!time.isValid() || time < *options.since) continue;
    }
    if (options.json) {
      out << QString::fromUtf8(entry.text) << '\n';
    } else {
      rows.push_back(TableRow(entry.fields));
    }
  }
  if (!options.json) PrintTable(out, rows);
  return ExitStatus::Success;
}

}  // namespace zr::cli
