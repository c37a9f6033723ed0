#include "platform/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <array>
#include <cerrno>

namespace zr::platform {

namespace {

// Opens `path` and keeps the descriptor only when it is a regular file; -1
// otherwise. O_NONBLOCK because opening a FIFO for reading waits for a writer.
int OpenRegularFile(const QString& path, int access) {
  const int fd = ::open(QFile::encodeName(path).constData(), access | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) return -1;
  struct stat status {};
  if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
    ::close(fd);
    return -1;
  }
  return fd;
}

struct CloseOnReturn {
  int fd;
  ~CloseOnReturn() { ::close(fd); }
};

}  // namespace

std::optional<QByteArray> ReadRegularFile(const QString& path, qint64 maxBytes) {
  const int fd = OpenRegularFile(path, O_RDONLY);
  if (fd < 0) return std::nullopt;
  const CloseOnReturn closer{fd};
  QByteArray bytes;
  std::array<char, 4096> chunk{};
  // Read to the end rather than trust the size: the file may grow meanwhile.
  while (bytes.size() <= maxBytes) {
    const ssize_t count = ::read(fd, chunk.data(), chunk.size());
    if (count == 0) return bytes;
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) return std::nullopt;
    bytes.append(chunk.data(), count);
  }
  return std::nullopt;
}

bool RewriteFileInPlace(const QString& path, const QByteArray& bytes) {
  const int fd = OpenRegularFile(path, O_WRONLY);
  if (fd < 0) return false;
  bool written = ::ftruncate(fd, 0) == 0;
  for (qsizetype at = 0; written && at < bytes.size();) {
    const ssize_t count = ::write(fd, bytes.constData() + at, static_cast<std::size_t>(bytes.size() - at));
    if (count < 0 && errno == EINTR) continue;
    written = count > 0;
    if (written) at += count;
  }
  // close can report a write that failed late (a full disk on a network share).
  return ::close(fd) == 0 && written;
}

}  // namespace zr::platform
