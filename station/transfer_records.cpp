#include "station/transfer_records.h"

#include <QDateTime>
#include <QUuid>

#include "record/field_conversions.h"
#include "record/runtime_error.h"
#include "station/log_entry.h"
#include "station/state_folder.h"

namespace zr::station {

TransferRecords::TransferRecords(const StationRecordsOptions& options, const platform::AnsiCodePage& codePage)
    : codePage_(codePage),
      verify_(options.verify),
      log_(options.logPath.isEmpty() ? DefaultStationLogPath() : options.logPath) {
  if (options.backup) backup_.emplace(options.backupDir.isEmpty() ? DefaultBackupFolder() : options.backupDir, codePage);
}

QString TransferRecords::WriteStarting(const TransferOutcome& progress, qint16 comPort, const std::vector<int>& lines) {
  LogContext context = ThisStation();
  context.comPort = comPort;
  context.device = progress.device;
  context.ended = QDateTime::currentDateTimeUtc();
  const QString writeId = QUuid::createUuid().toString(QUuid::WithoutBraces);
  if (const FileResult<> logged = log_.Append(WriteStartedEntry(progress, context, lines, writeId, codePage_));
      !logged.Ok()) {
    throw RuntimeError(logged.Why().toStdString());
  }
  return writeId;
}

FileResult<> TransferRecords::RecordEnd(const TransferOutcome& outcome, const StationState& state,
                                   AssociationMode mode) const {
  std::optional<QString> packageCode;
  if (outcome.kind != TransferKind::Read && mode != AssociationMode::NoPackageAssociation) {
    packageCode = TrimAtNul(state.PackageCode);
  }
  return Record(outcome, state.CurrentComPort, packageCode);
}

FileResult<> TransferRecords::Record(const TransferOutcome& outcome, qint16 comPort,
                                const std::optional<QString>& packageCode) const {
  LogContext context = ThisStation();
  context.comPort = comPort;
  context.device = outcome.device;
  context.packageCode = packageCode;
  context.ended = QDateTime::currentDateTimeUtc();
  return log_.Append(LogEntry(outcome, context, codePage_));
}

}  // namespace zr::station
