#include "tools/radio-sim/pty_port.h"

#include <fcntl.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "tools/radio-sim/setup_error.h"

namespace zr::sim {

namespace {

// Call right after the failing call: errno is taken first.
QString SystemError(const QString& what) {
  const int error = errno;
  return QStringLiteral("%1: %2").arg(what, QString::fromLocal8Bit(std::strerror(error)));
}

void SetRaw(int fd) {
  termios settings{};
  if (tcgetattr(fd, &settings) != 0) throw SetupError(SystemError(QStringLiteral("tcgetattr")));
  cfmakeraw(&settings);
  cfsetispeed(&settings, B921600);
  cfsetospeed(&settings, B921600);
  if (tcsetattr(fd, TCSANOW, &settings) != 0) throw SetupError(SystemError(QStringLiteral("tcsetattr")));
}

}  // namespace

void UniqueFd::Reset() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

int UniqueFd::Release() {
  const int fd = fd_;
  fd_ = -1;
  return fd;
}

UniqueFd& UniqueFd::operator=(UniqueFd&& other) noexcept {
  if (this != &other) {
    Reset();
    fd_ = other.Release();
  }
  return *this;
}

PtyPort::PtyPort(const QString& portDir, int port)
    : portName_(QStringLiteral("COM%1").arg(port)), linkPath_(portDir + QLatin1Char('/') + portName_) {
  if (!QFileInfo(portDir).isDir()) throw SetupError(QStringLiteral("port directory %1 does not exist").arg(portDir));

  master_ = UniqueFd(posix_openpt(O_RDWR | O_NOCTTY));
  if (!master_.Valid()) throw SetupError(SystemError(QStringLiteral("posix_openpt")));
  if (grantpt(master_.Get()) != 0) throw SetupError(SystemError(QStringLiteral("grantpt")));
  if (unlockpt(master_.Get()) != 0) throw SetupError(SystemError(QStringLiteral("unlockpt")));
  const char* slaveName = ptsname(master_.Get());
  if (slaveName == nullptr) throw SetupError(SystemError(QStringLiteral("ptsname")));
  slavePath_ = QString::fromLocal8Bit(slaveName);
  fcntl(master_.Get(), F_SETFD, FD_CLOEXEC);
  if (fcntl(master_.Get(), F_SETFL, fcntl(master_.Get(), F_GETFL) | O_NONBLOCK) != 0) {
    throw SetupError(SystemError(QStringLiteral("fcntl")));
  }

  slave_ = UniqueFd(::open(slaveName, O_RDWR | O_NOCTTY | O_CLOEXEC));
  if (!slave_.Valid()) throw SetupError(SystemError(QStringLiteral("open pseudo-terminal")));
  SetRaw(slave_.Get());

  // symlink() fails on any existing entry, so an entry made by someone else in
  // the meantime is never replaced either.
  const QByteArray link = QFile::encodeName(linkPath_);
  if (::symlink(slaveName, link.constData()) != 0) {
    if (errno == EEXIST) {
      throw SetupError(
          QStringLiteral("%1 already exists (another simulator running, or a stale entry to remove)").arg(linkPath_));
    }
    throw SetupError(SystemError(linkPath_));
  }
}

bool PtyPort::LinkIntact() const {
  if (slavePath_.isEmpty() || !master_.Valid()) return false;
  return QFile::symLinkTarget(linkPath_) == slavePath_;
}

int PtyPort::UnreadByStation() const {
  int count = 0;
  if (!slave_.Valid() || ioctl(slave_.Get(), FIONREAD, &count) != 0) return 0;
  return count;
}

void PtyPort::Unplug() {
  if (LinkIntact()) ::unlink(QFile::encodeName(linkPath_).constData());
  slave_.Reset();
  master_.Reset();
}

}  // namespace zr::sim
