#include "station/block_file.h"

#include <sys/stat.h>

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>

#include "platform/regular_file.h"
#include "record/factory_tables.h"
#include "record/form_values.h"
#include "record/image_codec.h"
#include "record/runtime_error.h"
#include "station/durable_file.h"

namespace zr::station {

FileResult<FactoryImage> BlockFileToWrite(const QString& path, const platform::AnsiCodePage& codePage,
                                          const QString& what) {
  using Result = FileResult<FactoryImage>;
  const std::optional<QByteArray> bytes = platform::ReadRegularFile(path, FactoryImageSize + 1);
  if (!bytes) return Result::Failed(QStringLiteral("%1: %2 is not a readable file").arg(what, path));
  if (bytes->size() != FactoryImageSize) {
    return Result::Failed(QStringLiteral("%1: %2 holds %3 bytes, a block file holds %4")
                              .arg(what, path,
                                   bytes->size() > FactoryImageSize ? QStringLiteral("more than %1").arg(FactoryImageSize)
                                                                    : QString::number(bytes->size()),
                                   QString::number(FactoryImageSize)));
  }
  FactoryImage image;
  std::copy(bytes->begin(), bytes->end(), image.Bytes().begin());
  // A file of another model's block must never reach this radio.
  if (const QString model = ModelText(image, codePage); model != ExpectedModel) {
    return Result::Failed(
        QStringLiteral("%1: %2 is not a %3 block (its model is \"%4\")").arg(what, path, ExpectedModel, model));
  }
  // A value the window cannot show (a band out of range) would leave the
  // radio one that no read or write can take any more.
  FactoryRecord record;
  DecodeImage(image, record, codePage);
  record.RemoteKill = record.RemoteStun = 0;  // never the file's: they stay the radio's
  FormValues form;
  try {
    ShowRecordInForm(record, form);
  } catch (const RuntimeError& error) {
    return Result::Failed(QStringLiteral("%1: %2: %3").arg(what, path, QString::fromUtf8(error.what())));
  }
  return image;
}

namespace {

// Where a block is saved. As for a backup, only a regular file is replaced: a
// FIFO, a device or a folder stays what it is. Through a link, the file it
// names is replaced.
struct SaveTarget {
  QString path;
  unsigned permissions = 0600;  // a new file's: the block holds the programming password
  QString refused;              // why not; empty when it can be
};

SaveTarget TargetOf(const QString& path) {
  SaveTarget target;
  target.path = path;
  struct stat status {};
  if (::stat(QFile::encodeName(path).constData(), &status) == 0) {
    if (!S_ISREG(status.st_mode)) target.refused = QStringLiteral("not a regular file");
    target.path = QFileInfo(path).canonicalFilePath();
    target.permissions = status.st_mode & 07777;
  } else if (errno != ENOENT) {
    target.refused = QString::fromStdString(SystemError(errno).message());
  }
  return target;
}

}  // namespace

FileResult<> CheckSaveTarget(const QString& path) {
  const QString why = TargetOf(path).refused;
  if (why.isEmpty()) return {};
  return FileResult<>::Failed(QStringLiteral("cannot save the block to %1: %2").arg(path, why));
}

FileResult<> SaveBlockFile(const QString& path, const FactoryImage& block) {
  const SaveTarget target = TargetOf(path);
  QString why = target.refused;
  if (why.isEmpty()) {
    const auto& bytes = block.Bytes();
    const QByteArrayView contents(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
    if (const std::error_code error = ReplaceFile(target.path, contents, target.permissions)) {
      why = QString::fromStdString(error.message());
    }
  }
  if (why.isEmpty()) return {};
  return FileResult<>::Failed(QStringLiteral("cannot save the block to %1: %2").arg(path, why));
}

}  // namespace zr::station
