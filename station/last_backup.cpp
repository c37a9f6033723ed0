#include "station/last_backup.h"

#include <QJsonDocument>
#include <QJsonObject>

#include "station/log_entry_keys.h"
#include "station/log_line_scan.h"
#include "station/station_log.h"

namespace zr::station {

FileResult<QString> LastWriteBackup(const QString& logPath, const QString& serialNumber) {
  using Result = FileResult<QString>;
  StationLogReader log(logPath);
  if (log.Missing()) return Result::Failed(QStringLiteral("there is no station log at %1").arg(logPath));
  const QByteArray serial = serialNumber.toUtf8();
  const QByteArray started = QByteArray(log_keys::WriteStarted.data(), log_keys::WriteStarted.size());
  QString backup;
  LogLine line;
  while (log.Next(line)) {
    const std::optional<LogLineScan> scan = line.whole ? LogLineScan::Of(line.text) : std::nullopt;
    if (!scan || scan->Text(LogMember::Serial) != std::string_view(serial) ||
        scan->Text(LogMember::Outcome) != std::string_view(started)) {
      continue;
    }
    // A write without a backup leaves nothing to put back; an earlier one still may.
    const QJsonValue path = QJsonDocument::fromJson(line.text.toByteArray()).object().value(log_keys::Backup);
    if (path.isString() && !path.toString().isEmpty()) backup = path.toString();
  }
  if (!log.Error().isEmpty()) return Result::Failed(log.Error());
  if (backup.isEmpty()) {
    return Result::Failed(QStringLiteral("the station log %1 has no write of radio \"%2\" with a backup")
                              .arg(logPath, serialNumber.trimmed()));
  }
  return backup;
}

}  // namespace zr::station
