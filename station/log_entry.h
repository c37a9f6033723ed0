#pragma once

#include <QDateTime>
#include <QJsonObject>
#include <QString>
#include <QtGlobal>
#include <optional>

#include "link/transfer_outcome.h"
#include "platform/ansi_code_page.h"

namespace zr::station {

// What the station log says about a transfer besides its outcome: who ran it
// where, on which port, for which package.
struct LogContext {
  QString host;
  QString user;
  QString version;  // the program's
  qint16 comPort = 0;
  QString device;  // the device the COM port opened, "/dev/ttyUSB0"
  // The package code a scan-code mode write was to record the radio against;
  // nullopt when no association was asked.
  std::optional<QString> packageCode;
  QDateTime ended;  // when the transfer ended
};

// This run's host, user and program version; the port, the package code and
// the end are the transfer's to fill in.
LogContext ThisStation();

// The log's entry for one transfer: its time in UTC, who and where, the
// operation and how it ended, the serial number and model as read (null where
// those lines were not read), the frame counts; for a write also the package
// and its association, the backup, the lines written, each byte changed with
// its old and new value, the lines written without being read before, and
// those that read back different. `codePage` decodes the block's texts.
// A write's entry also names its "write started" entry's id.
QJsonObject LogEntry(const TransferOutcome& outcome, const LogContext& context, const platform::AnsiCodePage& codePage);

// The entry a write leaves before its first write frame: who and where, the
// operation, the outcome "write started", the serial number and model as
// read, the write's id (which its outcome's entry repeats), the backup, and
// the lines about to be written.
QJsonObject WriteStartedEntry(const TransferOutcome& progress, const LogContext& context, const std::vector<int>& lines,
                              const QString& writeId, const platform::AnsiCodePage& codePage);

}  // namespace zr::station
