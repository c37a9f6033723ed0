#include "station/state_folder.h"

#include <QDir>

namespace zr::station {

QString StateFolder() {
#ifdef _WIN32
  QString base = QDir::fromNativeSeparators(qEnvironmentVariable("LOCALAPPDATA"));
  if (!QDir::isAbsolutePath(base)) base = QDir::homePath() + QStringLiteral("/AppData/Local");
#else
  QString base = qEnvironmentVariable("XDG_STATE_HOME");
  if (!QDir::isAbsolutePath(base)) base = QDir::homePath() + QStringLiteral("/.local/state");
#endif
  return QDir::cleanPath(base + QStringLiteral("/zr93kw-setfactory"));
}

QString DefaultBackupFolder() { return StateFolder() + QStringLiteral("/backups"); }

QString DefaultStationLogPath() { return StateFolder() + QStringLiteral("/station-log.jsonl"); }

}  // namespace zr::station
