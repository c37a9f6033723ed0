#include <windows.h>

#include <QFile>
#include <QFileInfo>

#include "platform/regular_file.h"
#include "platform/replace_file.h"
#include "platform/windows_support.h"

namespace zr::platform {

bool ReplaceFileContents(const QString& path, const QByteArray& bytes) {
  const QString temporary = path + QStringLiteral(".new%1").arg(GetCurrentProcessId());
  QFile file(temporary);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
  const bool written = file.write(bytes) == bytes.size() && file.flush();
  file.close();
  if (!written ||
      !MoveFileExW(WindowsPath(temporary).c_str(), WindowsPath(path).c_str(), MOVEFILE_REPLACE_EXISTING)) {
    QFile::remove(temporary);
    return false;
  }
  return true;
}

bool StoreFileContents(const QString& path, const QByteArray& bytes) {
  const DWORD attributes = GetFileAttributesW(WindowsPath(path).c_str());
  const bool link = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
  const bool folderTakesFiles = FolderTakesNewFiles(QFileInfo(path).absolutePath());
  return link || !folderTakesFiles ? RewriteFileInPlace(path, bytes) : ReplaceFileContents(path, bytes);
}

}  // namespace zr::platform
