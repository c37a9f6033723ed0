#pragma once

#include <QString>

namespace zr::station {

// Where the station keeps what it must not lose between runs:
// $XDG_STATE_HOME/zr93kw-setfactory, or ~/.local/state/zr93kw-setfactory when
// the variable is unset, empty or not an absolute path (a relative one is
// ignored, as the XDG base directories have it). On Windows
// %LOCALAPPDATA%\zr93kw-setfactory (~/AppData/Local when that is not an
// absolute path).
QString StateFolder();

// The two defaults below as --help names them.
#ifdef _WIN32
#define ZR_BACKUP_FOLDER_WORDS "%LOCALAPPDATA%\\zr93kw-setfactory\\backups"
#define ZR_STATION_LOG_WORDS "%LOCALAPPDATA%\\zr93kw-setfactory\\station-log.jsonl"
#else
#define ZR_BACKUP_FOLDER_WORDS "$XDG_STATE_HOME/zr93kw-setfactory/backups"
#define ZR_STATION_LOG_WORDS "$XDG_STATE_HOME/zr93kw-setfactory/station-log.jsonl"
#endif

// The radios' blocks, saved before each write.
QString DefaultBackupFolder();

// One line for each transfer.
QString DefaultStationLogPath();

}  // namespace zr::station
