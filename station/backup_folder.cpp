#include "station/backup_folder.h"

#include <unistd.h>

#include <QDir>
#include <QFile>
#include <cerrno>
#include <utility>

#include "record/image_codec.h"
#include "record/runtime_error.h"
#include "station/durable_file.h"

namespace zr::station {

namespace {

// Enough for any station; a folder full of one second's names must not spin.
constexpr int MaxSavesInOneSecond = 1000;

// The serial number as part of a file name: what a shell, a file share or
// another system could take for something else becomes "_".
QString NamePart(const QString& serial) {
  if (serial.isEmpty()) return QStringLiteral("unknown");
  QString part;
  for (const QChar c : serial) {
    const bool safe =
        (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ||
        (c >= QLatin1Char('a') && c <= QLatin1Char('z')) || c == QLatin1Char('-') || c == QLatin1Char('_');
    part += safe ? c : QLatin1Char('_');
  }
  return part;
}

[[noreturn]] void Refuse(const QString& what, const QString& path, const std::error_code& error) {
  throw RuntimeError(QStringLiteral("%1 %2: %3").arg(what, path, QString::fromStdString(error.message())).toStdString());
}

}  // namespace

BackupFolder::BackupFolder(QString folder, platform::AnsiCodePage codePage, Clock now)
    : folder_(QDir::cleanPath(folder)), codePage_(std::move(codePage)), now_(now) {}

QString BackupFolder::Save(const FactoryImage& block) {
  if (const std::error_code error = CreateFolders(folder_)) {
    Refuse(QStringLiteral("cannot use the backup folder"), folder_, error);
  }

  const QString stem = folder_ + QLatin1Char('/') + NamePart(SerialNumberText(block, codePage_)) + QLatin1Char('-') +
                       now_().toUTC().toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'"));
  QString path;
  int fd = -1;
  // Owner only: the block holds the radio's programming password.
  for (int copy = 1; fd < 0; ++copy) {
    path = stem + (copy == 1 ? QString() : QStringLiteral("-%1").arg(copy)) + QStringLiteral(".bin");
    const std::error_code error = OpenRecordFile(path, RecordFileOpening::kCreateNew, fd);
    if (fd < 0 && (error != std::errc::file_exists || copy == MaxSavesInOneSecond)) {
      Refuse(QStringLiteral("cannot save the backup"), path, error);
    }
  }

  const auto& bytes = block.Bytes();
  std::error_code error = WriteAll(fd, QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
  if (!error) error = SyncFile(fd);
  if (::close(fd) != 0 && !error) error = SystemError(errno);
  if (!error) error = SyncFolder(folder_);
  if (error) {
    ::unlink(QFile::encodeName(path).constData());
    Refuse(QStringLiteral("cannot save the backup"), path, error);
  }
  return path;
}

}  // namespace zr::station
