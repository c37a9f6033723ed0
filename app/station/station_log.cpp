#include "app/station/station_log.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonParseError>
#include <cerrno>
#include <cstring>
#include <optional>

#include "app/station/durable_file.h"
#include "platform/regular_file.h"

namespace zr::station {

namespace {

QString ErrorText(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

}  // namespace

QString StationLog::Append(const QJsonObject& entry) const {
  const auto cannot = [&](const QString& cause) {
    return QStringLiteral("cannot write the station log %1: %2").arg(path_, cause);
  };
  if (const int error = CreateFolders(QFileInfo(path_).absolutePath()); error != 0) return cannot(ErrorText(error));
  // Read and write: the last byte tells whether the file ends inside a line.
  // O_NONBLOCK: a FIFO must not hold the station up until someone reads it.
  // Owner only: a write's changes may show the programming password.
  int fd = -1;
  if (const int error = OpenRecordFile(path_, RecordFileOpening::kAppend, fd); error != 0) {
    return cannot(ErrorText(error));
  }
  struct stat status {};
  const QString refused = ::fstat(fd, &status) != 0  ? ErrorText(errno)
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
  if (status.st_size > 0 && ReadByteAt(fd, status.st_size - 1, last) == 0 && last != '\n') line.prepend('\n');
  // One write, so that lines of two stations appending at once never mix.
  int error = WriteAll(fd, line);
  if (error == 0) error = SyncFile(fd);
  if (::close(fd) != 0 && error == 0) error = errno;
  return error == 0 ? QString() : cannot(ErrorText(error));
}

StationLogContents StationLog::Read() const {
  StationLogContents contents;
  const auto cannot = [&](const QString& cause) {
    return QStringLiteral("cannot read the station log %1: %2").arg(path_, cause);
  };
  struct stat status {};
  if (::stat(QFile::encodeName(path_).constData(), &status) != 0) {
    contents.missing = errno == ENOENT;
    if (!contents.missing) contents.error = cannot(ErrorText(errno));
    return contents;
  }
  if (!S_ISREG(status.st_mode)) {
    contents.error = cannot(QStringLiteral("not a regular file"));
    return contents;
  }
  if (status.st_size > MaxStationLogBytes) {
    contents.error = cannot(QStringLiteral("larger than %1 MiB").arg(MaxStationLogBytes / (1024 * 1024)));
    return contents;
  }
  errno = 0;
  const std::optional<QByteArray> bytes = platform::ReadRegularFile(path_, MaxStationLogBytes);
  if (!bytes) {
    contents.error = cannot(errno != 0 ? ErrorText(errno) : QStringLiteral("it changed while it was read"));
    return contents;
  }
  int number = 0;
  for (const QByteArray& text : bytes->split('\n')) {
    ++number;
    if (text.trimmed().isEmpty()) continue;
    QJsonParseError parse{};
    const QJsonDocument document = QJsonDocument::fromJson(text, &parse);
    if (parse.error == QJsonParseError::NoError && document.isObject()) {
      contents.entries.push_back({number, text, document.object()});
    } else {
      contents.skippedLines.push_back(number);
    }
  }
  return contents;
}

}  // namespace zr::station
