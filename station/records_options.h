#pragma once

#include <QString>

namespace zr {

// What the station keeps of its transfers, as the window and the command
// line are told: a backup of the radio's block before every write, the
// written lines read back, one station-log entry per transfer.
struct StationRecordsOptions {
  bool backup = true;
  QString backupDir;  // empty: the state folder's "backups"
  bool verify = false;
  QString logPath;    // empty: the state folder's "station-log.jsonl"
};

}  // namespace zr
