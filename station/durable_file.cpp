#include "station/durable_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace zr::station {

int CreateFolders(const QString& path) {
  const QString folder = QDir::cleanPath(path);
  const QByteArray name = QFile::encodeName(folder);
  if (::mkdir(name.constData(), 0777) == 0) return 0;
  if (errno == ENOENT) {
    const QString parent = QFileInfo(folder).path();
    if (parent == folder) return ENOENT;
    if (const int error = CreateFolders(parent); error != 0) return error;
    if (::mkdir(name.constData(), 0777) == 0) return 0;
  }
  // Already there (or made meanwhile by another station): fine if it is a folder.
  if (errno != EEXIST) return errno;
  struct stat status {};
  if (::stat(name.constData(), &status) != 0) return errno;
  return S_ISDIR(status.st_mode) ? 0 : ENOTDIR;
}

int WriteAll(int fd, QByteArrayView bytes) {
  for (qsizetype at = 0; at < bytes.size();) {
    const ssize_t count = ::write(fd, bytes.data() + at, static_cast<std::size_t>(bytes.size() - at));
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) return errno;
    if (count == 0) return EIO;  // no progress and no reason: do not spin
    at += count;
  }
  return 0;
}

int ReplaceFile(const QString& path, QByteArrayView bytes, unsigned permissions) {
  QByteArray temporary = QFile::encodeName(path) + ".XXXXXX";
  const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);  // made 0600
  if (fd < 0) return errno;
  int error = permissions != 0600 && ::fchmod(fd, permissions) != 0 ? errno : 0;
  if (error == 0) error = WriteAll(fd, bytes);
  if (error == 0 && ::fsync(fd) != 0) error = errno;
  if (::close(fd) != 0 && error == 0) error = errno;
  if (error == 0 && ::rename(temporary.constData(), QFile::encodeName(path).constData()) != 0) error = errno;
  if (error != 0) {
    ::unlink(temporary.constData());
    return error;
  }
  return SyncFolder(QFileInfo(path).absolutePath());
}

int SyncFolder(const QString& path) {
  const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return errno;
  const int error = ::fsync(fd) == 0 ? 0 : errno;
  ::close(fd);
  return error;
}

int OpenRecordFile(const QString& path, RecordFileOpening opening, int& fd) {
  const int flags = opening == RecordFileOpening::kRead     ? O_RDONLY | O_NOCTTY | O_NONBLOCK
                    : opening == RecordFileOpening::kAppend ? O_RDWR | O_APPEND | O_CREAT | O_NOCTTY | O_NONBLOCK
                                                            : O_WRONLY | O_CREAT | O_EXCL;
  fd = ::open(QFile::encodeName(path).constData(), flags | O_CLOEXEC, 0600);
  return fd < 0 ? errno : 0;
}

int ReadByteAt(int fd, qint64 offset, char& byte) {
  const ssize_t count = ::pread(fd, &byte, 1, static_cast<off_t>(offset));
  return count == 1 ? 0 : count < 0 ? errno : EIO;
}

int SyncFile(int fd) { return ::fsync(fd) == 0 ? 0 : errno; }

}  // namespace zr::station
