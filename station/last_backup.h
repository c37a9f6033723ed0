#pragma once

#include <QString>
#include <variant>

namespace zr::station {

// The backup of the radio's last write in the station log: the backup its
// "write started" entry names (the block the radio held before that write),
// found by the serial number as the log holds it. The log is read a line at a
// time, however long it is.
struct NoBackup {
  QString why;  // the log has no such write, or could not be read
};
std::variant<QString, NoBackup> LastWriteBackup(const QString& logPath, const QString& serialNumber);

}  // namespace zr::station
