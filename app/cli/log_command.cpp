#include "app/cli/log_command.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QStringList>
#include <algorithm>
#include <array>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "app/cli/exit_status.h"
#include "app/cli/visible_text.h"
#include "platform/text_format.h"
#include "record/factory_fields.h"
#include "station/log_entry_keys.h"
#include "station/log_line_scan.h"
#include "station/state_folder.h"
#include "station/station_log.h"

namespace zr::cli {

namespace {

namespace keys = station::log_keys;
using station::LogLineScan;
using station::LogMember;

enum Column { TimeColumn, PortColumn, OperationColumn, OutcomeColumn, SerialColumn, PackageColumn, BackupColumn,
              ChangedColumn, CauseColumn, Columns };
using Row = std::array<QString, Columns>;

const Row Header = {QStringLiteral("time"),    QStringLiteral("port"),   QStringLiteral("operation"),
                    QStringLiteral("outcome"), QStringLiteral("serial"), QStringLiteral("package"),
                    QStringLiteral("backup"),  QStringLiteral("changed fields"), QStringLiteral("cause")};

// Lines named one by one before the rest are only counted.
constexpr int NamedSkippedLines = 20;

QString TextOrDash(const QJsonValue& value) {
  const QString text = value.toString();
  return text.isEmpty() ? QStringLiteral("-") : text;
}

// The fields whose bytes the write changed, each once, in block order; a byte
// that belongs to no field by its offset.
QString ChangedFields(const QJsonArray& changes) {
  std::vector<std::pair<int, QString>> changed;  // where in the block, what
  for (const QJsonValue& change : changes) {
    const QString offsetText = change.toObject().value(keys::ChangeOffset).toString();
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
                           Latin1(field->name));
    }
  }
  std::ranges::sort(changed);
  changed.erase(std::unique(changed.begin(), changed.end()), changed.end());
  QStringList names;
  for (const auto& [offset, name] : changed) names << name;
  return names.isEmpty() ? QStringLiteral("-") : names.join(QStringLiteral(", "));
}

// An entry's row. Times in UTC, as the backups' names have them; a backup in
// the station's own folder by its file name.
class RowMaker {
 public:
  RowMaker() : backupFolder_(QDir::cleanPath(station::DefaultBackupFolder())) {}

  Row operator()(const QJsonObject& entry) const {
    const QDateTime time = QDateTime::fromString(entry.value(keys::Time).toString(), Qt::ISODateWithMs);
    const QJsonValue com = entry.value(keys::Port).toObject().value(keys::Com);
    Row row = {
        time.isValid() ? time.toUTC().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss'Z'")) : QStringLiteral("-"),
        com.isDouble() ? QStringLiteral("COM%1").arg(com.toInt()) : QStringLiteral("-"),
        TextOrDash(entry.value(keys::Operation)),
        TextOrDash(entry.value(keys::Outcome)),
        TextOrDash(entry.value(keys::Serial)),
        TextOrDash(entry.value(keys::Package)),
        Backup(entry.value(keys::Backup).toString()),
        ChangedFields(entry.value(keys::Changes).toArray()),
        TextOrDash(entry.value(keys::Cause)),
    };
    for (QString& cell : row) cell = VisibleText(cell);
    return row;
  }

  // A write that said it started and never said how it ended: the station was
  // killed or lost its power in the middle.
  Row Interrupted(const QJsonObject& started) const {
    Row row = (*this)(started);
    row[OutcomeColumn] = QStringLiteral("interrupted, no outcome");
    QStringList lines;
    for (const QJsonValue& line : started.value(keys::LinesToWrite).toArray()) lines << VisibleText(line.toString());
    row[CauseColumn] = QStringLiteral("the station stopped mid-write; lines to write: ") +
                       (lines.isEmpty() ? QStringLiteral("none") : lines.join(QLatin1Char(' ')));
    return row;
  }

 private:
  QString Backup(const QString& path) const {
    if (path.isEmpty()) return QStringLiteral("-");
    const QFileInfo file(path);
    return QDir::cleanPath(file.path()) == backupFolder_ ? file.fileName() : path;
  }

  QString backupFolder_;
};

// Columns as wide as their widest cell, two blanks apart; the last one unpadded.
struct ColumnWidths {
  std::array<qsizetype, Columns> widths{};

  void Fit(const Row& row) {
    for (std::size_t column = 0; column < row.size(); ++column) {
      widths[column] = std::max(widths[column], row[column].size());
    }
  }
  void Print(QTextStream& out, const Row& row) const {
    for (std::size_t column = 0; column + 1 < row.size(); ++column) {
      out << row[column].leftJustified(widths[column] + 2);
    }
    out << row.back() << '\n';
  }
};

// What --serial and --since keep.
class EntryFilter {
 public:
  explicit EntryFilter(const LogOptions& options) : since_(options.since) {
    if (options.serial) {
      serial_ = options.serial->toStdString();
      quotedSerial_ = QByteArray::fromStdString('"' + *serial_ + '"');
    }
  }

  bool Keeps(const LogLineScan& scan) const {
    if (serial_ && scan.Text(LogMember::Serial) != *serial_) return false;
    if (since_) {
      const std::optional<std::string_view> text = scan.Text(LogMember::Time);
      if (!text) return false;
      const QDateTime time = QDateTime::fromString(
          QString::fromUtf8(text->data(), static_cast<qsizetype>(text->size())), Qt::ISODateWithMs);
      if (!time.isValid() || time < *since_) return false;
    }
    return true;
  }

  // False only for a line that cannot hold a kept entry, told without reading
  // it as JSON: a line without a backslash writes each text as it is, so the
  // serial number stands in it between quotes if anywhere.
  bool MayKeep(QByteArrayView line) const {
    return !serial_ || line.contains(quotedSerial_) || line.contains('\\');
  }

 private:
  std::optional<std::string> serial_;  // UTF-8
  QByteArray quotedSerial_;
  std::optional<QDateTime> since_;
};

// Lines that hold no entry, named on standard error after the rest.
class SkippedLines {
 public:
  void Add(qint64 number) {
    if (count_++ < NamedSkippedLines) numbers_ << QString::number(number);
  }
  void Report(QTextStream& err, const QString& path) const {
    if (count_ == 0) return;
    err << "zr93kw-setfactory: " << path << (count_ == 1 ? ": line " : ": lines ")
        << numbers_.join(QStringLiteral(", "));
    if (count_ > NamedSkippedLines) err << " and " << count_ - NamedSkippedLines << " more";
    err << (count_ == 1 ? " holds" : " hold") << " no log entry; skipped\n";
  }

 private:
  qint64 count_ = 0;
  QStringList numbers_;
};

QJsonObject EntryOf(QByteArrayView line) {
  return QJsonDocument::fromJson(QByteArray::fromRawData(line.data(), line.size())).object();
}

bool IsStartedWrite(const LogLineScan& scan) {
  return scan.Text(LogMember::Outcome) == std::string_view(keys::WriteStarted.data(), keys::WriteStarted.size()) &&
         scan.Text(LogMember::WriteId);
}

// Passes over the log's lines, each scanned; those that hold no entry are
// counted in `skipped` when given.
bool EachEntry(station::StationLogReader& log, SkippedLines* skipped, const EntryFilter* preFilter,
               const std::function<void(QByteArrayView, const LogLineScan&)>& visit) {
  station::LogLine line;
  while (log.Next(line)) {
    if (line.whole && line.text.trimmed().isEmpty()) continue;
    if (line.whole && preFilter != nullptr && !preFilter->MayKeep(line.text)) continue;
    const std::optional<LogLineScan> scan = line.whole ? LogLineScan::Of(line.text) : std::nullopt;
    if (scan) {
      visit(line.text, *scan);
    } else if (skipped != nullptr) {
      skipped->Add(line.number);
    }
  }
  return log.Error().isEmpty();
}

// The table. A write's "write started" entry makes no row of its own when its
// outcome follows; without one it is the write's row. Two passes, so that
// memory holds the writes still waiting for their outcome, not the log.
bool PrintTable(station::StationLogReader& log, const EntryFilter& filter, SkippedLines& skipped, QTextStream& out) {
  const RowMaker rowOf;
  ColumnWidths widths;
  widths.Fit(Header);
  std::map<std::string, Row, std::less<>> unfinished;  // by writeId
  const bool read = EachEntry(log, &skipped, nullptr, [&](QByteArrayView line, const LogLineScan& scan) {
    const std::optional<std::string_view> id = scan.Text(LogMember::WriteId);
    const bool started = IsStartedWrite(scan);
    if (id && !started) {
      if (const auto waiting = unfinished.find(*id); waiting != unfinished.end()) unfinished.erase(waiting);
    }
    if (!filter.Keeps(scan)) return;
    if (started) {
      unfinished.insert_or_assign(std::string(*id), rowOf.Interrupted(EntryOf(line)));
    } else {
      widths.Fit(rowOf(EntryOf(line)));
    }
  });
  if (!read) return false;
  for (const auto& [id, row] : unfinished) widths.Fit(row);

  log.Rewind();
  widths.Print(out, Header);
  return EachEntry(log, nullptr, &filter, [&](QByteArrayView line, const LogLineScan& scan) {
    if (!filter.Keeps(scan)) return;
    if (!IsStartedWrite(scan)) {
      widths.Print(out, rowOf(EntryOf(line)));
    } else if (const auto interrupted = unfinished.find(*scan.Text(LogMember::WriteId));
               interrupted != unfinished.end()) {
      widths.Print(out, interrupted->second);
      unfinished.erase(interrupted);  // shown once, also when an id came twice
    }
  });
}

}  // namespace

int ShowStationLog(const LogOptions& options, QTextStream& out, QTextStream& err) {
  const QString path = options.logPath.isEmpty() ? station::DefaultStationLogPath() : options.logPath;
  station::StationLogReader log(path);
  if (log.Missing()) {
    err << "zr93kw-setfactory: no station log at " << path << " yet\n";
    return ExitStatus::Success;
  }
  const EntryFilter filter(options);
  SkippedLines skipped;
  const bool read = options.json ? EachEntry(log, &skipped, nullptr,
                                             [&](QByteArrayView line, const LogLineScan& scan) {
                                               if (filter.Keeps(scan)) out << QString::fromUtf8(line) << '\n';
                                             })
                                 : PrintTable(log, filter, skipped, out);
  if (!read) {
    err << "zr93kw-setfactory: " << log.Error() << '\n';
    return ExitStatus::Usage;  // nothing (more) to show, as for a refused argument
  }
  skipped.Report(err, path);
  return ExitStatus::Success;
}

}  // namespace zr::cli
