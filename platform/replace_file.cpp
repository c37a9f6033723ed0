#include "platform/replace_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <cstdio>

#include "platform/regular_file.h"

namespace zr::platform {

bool ReplaceFileContents(const QString& path, const QByteArray& bytes) {
  const QString temporary = path + QStringLiteral(".new%1").arg(::getpid());
  QFile file(temporary);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
  const bool written = file.write(bytes) == bytes.size() && file.flush();
  file.close();
  if (!written || std::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(path).constData()) != 0) {
    QFile::remove(temporary);
    return false;
  }
  return true;
}

bool StoreFileContents(const QString& path, const QByteArray& bytes) {
  struct stat status {};
  const bool link = ::lstat(QFile::encodeName(path).constData(), &status) == 0 && S_ISLNK(status.st_mode);
  const QByteArray folder = QFile::encodeName(QFileInfo(path).absolutePath());
  const bool folderTakesFiles = ::faccessat(AT_FDCWD, folder.constData(), W_OK | X_OK, AT_EACCESS) == 0;
  return link || !folderTakesFiles ? RewriteFileInPlace(path, bytes) : ReplaceFileContents(path, bytes);
}

}  // namespace zr::platform
