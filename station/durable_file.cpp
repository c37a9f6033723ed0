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

namespace {

std::error_code Errno() { return SystemError(errno); }

}  // namespace

std::error_code CreateFolders(const QString& path) {
  const QString folder = QDir::cleanPath(path);
  const QByteArray name = QFile::encodeName(folder);
  if (::mkdir(name.constData(), 0777) == 0) return {};
  if (errno == ENOENT) {
    const QString parent = QFileInfo(folder).path();
    if (parent == folder) return SystemError(ENOENT);
    if (const std::error_code error = CreateFolders(parent)) return error;
    if (::mkdir(name.constData(), 0777) == 0) return {};
  }
  // Already there (or made meanwhile by another station): fine if it is a folder.
  if (errno != EEXIST) return Errno();
  struct stat status {};
  if (::stat(name.constData(), &status) != 0) return Errno();
  return S_ISDIR(status.st_mode) ? std::error_code() : SystemError(ENOTDIR);
}

std::error_code WriteAll(int fd, QByteArrayView bytes) {
  for (qsizetype at = 0; at < bytes.size();) {
    const ssize_t count = ::write(fd, bytes.data() + at, static_cast<std::size_t>(bytes.size() - at));
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) return Errno();
    if (count == 0) return SystemError(EIO);  // no progress and no reason: do not spin
    at += count;
  }
  return {};
}

std::error_code ReplaceFile(const QString& path, QByteArrayView bytes, unsigned permissions) {
  QByteArray temporary = QFile::encodeName(path) + ".XXXXXX";
  const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);  // made 0600
  if (fd < 0) return Errno();
  std::error_code error = permissions != 0600 && ::fchmod(fd, permissions) != 0 ? Errno() : std::error_code();
  if (!error) error = WriteAll(fd, bytes);
  if (!error) error = SyncFile(fd);
  if (::close(fd) != 0 && !error) error = Errno();
  if (!error && ::rename(temporary.constData(), QFile::encodeName(path).constData()) != 0) error = Errno();
  if (error) {
    ::unlink(temporary.constData());
    return error;
  }
  return SyncFolder(QFileInfo(path).absolutePath());
}

std::error_code SyncFolder(const QString& path) {
  const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return Errno();
  const std::error_code error = ::fsync(fd) == 0 ? std::error_code() : Errno();
  ::close(fd);
  return error;
}

std::error_code OpenRecordFile(const QString& path, RecordFileOpening opening, int& fd) {
  const int flags = opening == RecordFileOpening::kRead     ? O_RDONLY | O_NOCTTY | O_NONBLOCK
                    : opening == RecordFileOpening::kAppend ? O_RDWR | O_APPEND | O_CREAT | O_NOCTTY | O_NONBLOCK
                                                            : O_WRONLY | O_CREAT | O_EXCL;
  fd = ::open(QFile::encodeName(path).constData(), flags | O_CLOEXEC, 0600);
  return fd < 0 ? Errno() : std::error_code();
}

std::error_code ReadByteAt(int fd, qint64 offset, char& byte) {
  const ssize_t count = ::pread(fd, &byte, 1, static_cast<off_t>(offset));
  return count == 1 ? std::error_code() : count < 0 ? Errno() : SystemError(EIO);
}

std::error_code SyncFile(int fd) { return ::fsync(fd) == 0 ? std::error_code() : Errno(); }

}  // namespace zr::station
