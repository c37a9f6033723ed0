// Where the settings file lives on Windows: beside the .exe as the station
// always kept it, unless the .exe is installed in Program Files or its folder
// is one the user cannot write; then in the user's own application data.
#include <windows.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "platform/settings_file.h"
#include "platform/windows_support.h"

namespace zr::platform {

namespace {

bool WritableFile(const QString& path) {
  const HANDLE file = CreateFileW(WindowsPath(path).c_str(), GENERIC_WRITE,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  CloseHandle(file);
  return true;
}

// Within Program Files, where the installer puts the station for every user.
bool InProgramFiles(const QString& folder, const QProcessEnvironment& environment) {
  const QString canonical = QFileInfo(folder).canonicalFilePath();
  for (const char* variable : {"ProgramFiles", "ProgramW6432"}) {
    const QString programFiles = QFileInfo(environment.value(QLatin1String(variable))).canonicalFilePath();
    if (!programFiles.isEmpty() && !canonical.isEmpty() &&
        canonical.startsWith(programFiles + QLatin1Char('/'), Qt::CaseInsensitive)) {
      return true;
    }
  }
  return false;
}

}  // namespace

QString SettingsPathFor(const SettingsPlace& place, const QProcessEnvironment& environment) {
  const QString besideExecutable = place.executableDir + QStringLiteral("/mysetup.ini");
  if (!place.installed && (place.executableDirTakesFiles || place.writableFileBesideExecutable)) {
    return besideExecutable;
  }
  const QString localAppData = QDir::fromNativeSeparators(environment.value(QStringLiteral("LOCALAPPDATA")));
  if (!QDir::isAbsolutePath(localAppData)) return place.installed ? QString() : besideExecutable;
  return QDir::cleanPath(localAppData + QStringLiteral("/zr93kw-setfactory/mysetup.ini"));
}

QString ProgramSettingsPath(SettingsFolder folder) {
  const QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  SettingsPlace place;
  place.executableDir = QCoreApplication::applicationDirPath();
  place.installed = InProgramFiles(place.executableDir, environment);
  place.executableDirTakesFiles = FolderTakesNewFiles(place.executableDir);
  place.writableFileBesideExecutable = WritableFile(place.executableDir + QStringLiteral("/mysetup.ini"));
  const QString path = SettingsPathFor(place, environment);
  // A failure shows later, as a settings file that cannot be written.
  if (folder == SettingsFolder::kCreate && !path.isEmpty()) QDir().mkpath(QFileInfo(path).absolutePath());
  return path;
}

}  // namespace zr::platform
