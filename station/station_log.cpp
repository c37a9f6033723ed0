#include "station/station_log.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <algorithm>
#include <cerrno>
#include <cstring>

#include "station/durable_file.h"

namespace zr::station {

namespace {

QString ErrorText(const std::error_code& error) { return QString::fromStdString(error.message()); }

}  // namespace

FileResult<> StationLog::Append(const QJsonObject& entry) const {
  const auto cannot = [&](const QString& cause) {
    return FileResult<>::Failed(QStringLiteral("cannot write the station log %1: %2").arg(path_, cause));
  };
  if (const std::error_code error = CreateFolders(QFileInfo(path_).absolutePath())) return cannot(ErrorText(error));
  // Read and write: the last byte tells whether the file ends inside a line.
  // O_NONBLOCK: a FIFO must not hold the station up until someone reads it.
  // Owner only: a write's changes may show the programming password.
  int fd = -1;
  if (const std::error_code error = OpenRecordFile(path_, RecordFileOpening::kAppend, fd)) {
    return cannot(ErrorText(error));
  }
  struct stat status {};
  const QString refused = ::fstat(fd, &status) != 0  ? ErrorText(SystemError(errno))
                          : !S_ISREG(status.st_mode) ? QStringLiteral("not a regular file")
                                                     : QString();
  if (!refused.isEmpty()) {
    ::close(fd);
    return cannot(refused);
  }
  QByteArray line = QJsonDocument(entry).toJson(QJsonDocument::Compact) + '\n';
  // A line a crash or a full disk cut short is ended first, so that this
  // entry is a line of its own and the torn one alone is lost.
  char last = '\n';
  if (status.st_size > 0 && !ReadByteAt(fd, status.st_size - 1, last) && last != '\n') line.prepend('\n');
  // One write, so that lines of two stations appending at once never mix.
  std::error_code error = WriteAll(fd, line);
  if (!error) error = SyncFile(fd);
  if (::close(fd) != 0 && !error) error = SystemError(errno);
  return error ? cannot(ErrorText(error)) : FileResult<>();
}

namespace {

// Read at a time; with a whole line's room beside it, a line of any length
// up to MaxLogLineBytes fits.
constexpr qsizetype ReadBytes = 256 * 1024;

}  // namespace

StationLogReader::StationLogReader(const QString& path) : path_(path) {
  // A FIFO must not hold `log` up until someone writes to it.
  if (const std::error_code error = OpenRecordFile(path_, RecordFileOpening::kRead, fd_)) {
    missing_ = error == std::errc::no_such_file_or_directory;
    if (!missing_) Fail(error);
    return;
  }
  struct stat status {};
  if (::fstat(fd_, &status) != 0) {
    Fail(SystemError(errno));
  } else if (!S_ISREG(status.st_mode)) {
    error_ = QStringLiteral("cannot read the station log %1: not a regular file").arg(path_);
  } else {
    buffer_.resize(static_cast<std::size_t>(MaxLogLineBytes + ReadBytes));
  }
}

StationLogReader::~StationLogReader() {
  if (fd_ >= 0) ::close(fd_);
}

void StationLogReader::Fail(const std::error_code& error) {
  error_ = QStringLiteral("cannot read the station log %1: %2").arg(path_, ErrorText(error));
}

bool StationLogReader::Next(LogLine& line) {
  if (fd_ < 0 || !error_.isEmpty()) return false;
  for (;;) {
    const char* start = buffer_.data() + begin_;
    const auto* lineEnd = static_cast<const char*>(std::memchr(start, '\n', static_cast<std::size_t>(end_ - begin_)));
    if (lineEnd != nullptr || (atEnd_ && (end_ > begin_ || overlong_))) {
      const qsizetype length = lineEnd != nullptr ? lineEnd - start : end_ - begin_;
      line = {++number_, overlong_ ? QByteArrayView() : QByteArrayView(start, length), !overlong_};
      begin_ += lineEnd != nullptr ? length + 1 : length;
      overlong_ = false;
      return true;
    }
    if (atEnd_) return false;
    if (end_ - begin_ > MaxLogLineBytes) {
      overlong_ = true;  // its start is dropped; the rest is skipped up to its end
      begin_ = end_ = 0;
    } else if (begin_ > 0) {
      std::memmove(buffer_.data(), start, static_cast<std::size_t>(end_ - begin_));
      end_ -= begin_;
      begin_ = 0;
    }
    qint64 room = static_cast<qint64>(buffer_.size()) - end_;
    if (limit_ >= 0) room = std::min(room, limit_ - consumed_);
    const ssize_t count = room == 0 ? 0 : ::read(fd_, buffer_.data() + end_, static_cast<std::size_t>(room));
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) {
      Fail(SystemError(errno));
      return false;
    }
    atEnd_ = count == 0;
    end_ += count;
    consumed_ += count;
  }
}

void StationLogReader::Rewind() {
  if (fd_ < 0 || !error_.isEmpty()) return;
  if (::lseek(fd_, 0, SEEK_SET) != 0) {
    Fail(SystemError(errno));
    return;
  }
  limit_ = consumed_;
  begin_ = end_ = number_ = consumed_ = 0;
  atEnd_ = overlong_ = false;
}

}  // namespace zr::station
