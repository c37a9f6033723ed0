// Where the settings file lives on Windows: beside the .exe as the station
// always kept it, unless the .exe's folder is Program Files or another the
// user cannot write; then in the user's own application data.
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

}  // namespace

QString SettingsPathFor(const SettingsPlace& place, const QProcessEnvironment& environment) {
  const QString besideExecutable = place.executableDir + QStringLiteral("/mysetup.ini");
  if (place.executableDirTakesFiles || place.writableFileBesideExecutable) return besideExecutable;
  const QString localAppData = QDir::fromNativeSeparators(environment.value(QStringLiteral("LOCALAPPDATA")));
  if (!QDir::isAbsolutePath(localAppData)) return besideExecutable;
  return QDir::cleanPath(localAppData + QStringLiteral("/zr93kw-setfactory/mysetup.ini"));
}

QString ProgramSettingsPath(SettingsFolder folder) {
  SettingsPlace place;
  place.executableDir = QCoreApplication::applicationDirPath();
  place.executableDirTakesFiles = FolderTakesNewFiles(place.executableDir);
  place.writableFileBesideExecutable = WritableFile(place.executableDir + QStringLiteral("/mysetup.ini"));
  const QString path = SettingsPathFor(place, QProcessEnvironment::systemEnvironment());
  // A failure shows later, as a settings file that cannot be written.
  if (folder == SettingsFolder::kCreate) QDir().mkpath(QFileInfo(path).absolutePath());
  return path;
}

}  // namespace zr::platform
