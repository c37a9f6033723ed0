#include "platform/replace_file.h"

#include <unistd.h>

#include <QFile>
#include <cstdio>

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

}  // namespace zr::platform
