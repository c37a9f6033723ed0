#pragma once

#include <QString>

#include "station/file_result.h"

namespace zr::station {

// The backup of the radio's last write in the station log: the backup its
// "write started" entry names (the block the radio held before that write),
// found by the serial number as the log holds it. Fails when the log has no
// such write or cannot be read. The log is read a line at a time, however
// long it is.
FileResult<QString> LastWriteBackup(const QString& logPath, const QString& serialNumber);

}  // namespace zr::station
