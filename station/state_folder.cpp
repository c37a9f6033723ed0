#include "station/state_folder.h"

#include <QDir>

namespace zr::station {

QString StateFolder() {
  QString base = qEnvironmentVariable("XDG_STATE_HOME");
  if (!QDir::isAbsolutePath(base)) base = QDir::homePath() + QStringLiteral("/.local/state");
  return QDir::cleanPath(base + QStringLiteral("/zr93kw-setfactory"));
}

QString DefaultBackupFolder() { return StateFolder() + QStringLiteral("/backups"); }

QString DefaultStationLogPath() { return StateFolder() + QStringLiteral("/station-log.jsonl"); }

}  // namespace zr::station
