#include "app/cli/block_file.h"

#include <sys/stat.h>

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <cstring>

#include "app/cli/window_field_names.h"
#include "app/station/durable_file.h"
#include "platform/regular_file.h"
#include "record/factory_tables.h"
#include "record/image_codec.h"

namespace zr::cli {

FactoryImage ReadBlockFile(const QString& path, const platform::AnsiCodePage& codePage) {
  const std::optional<QByteArray> bytes = platform::ReadRegularFile(path, FactoryImageSize + 1);
  if (!bytes) throw UsageError(QStringLiteral("--image: %1 is not a readable file").arg(path).toStdString());
  if (bytes->size() != FactoryImageSize) {
    throw UsageError(QStringLiteral("--image: %1 holds %2 bytes, a block file holds %3")
                         .arg(path)
                         .arg(bytes->size() > FactoryImageSize ? QStringLiteral("more than %1").arg(FactoryImageSize)
                                                               : QString::number(bytes->size()))
                         .arg(FactoryImageSize)
                         .toStdString());
  }
  FactoryImage image;
  std::copy(bytes->begin(), bytes->end(), image.Bytes().begin());
  // A file of another model's block must never reach this radio.
  if (const QString model = ModelText(image, codePage); model != ExpectedModel) {
    throw UsageError(QStringLiteral("--image: %1 is not a %2 block (its model is \"%3\")")
                         .arg(path, ExpectedModel, model)
                         .toStdString());
  }
  return image;
}

QString SaveBlockFile(const QString& path, const FactoryImage& block) {
  const auto cannot = [&](const QString& why) { return QStringLiteral("cannot save the block to %1: %2").arg(path, why); };
  // As for a backup: only a regular file is replaced. A FIFO, a device or a
  // folder stays what it is; through a link, the file it names is replaced.
  QString target = path;
  unsigned permissions = 0600;  // a new file: the block holds the programming password
  struct stat status {};
  if (::stat(QFile::encodeName(path).constData(), &status) == 0) {
    if (!S_ISREG(status.st_mode)) return cannot(QStringLiteral("not a regular file"));
    target = QFileInfo(path).canonicalFilePath();
    permissions = status.st_mode & 07777;
  } else if (errno != ENOENT) {
    return cannot(QString::fromLocal8Bit(std::strerror(errno)));
  }
  const auto& bytes = block.Bytes();
  const int error = station::ReplaceFile(
      target, QByteArrayView(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size())),
      permissions);
  return error == 0 ? QString() : cannot(QString::fromLocal8Bit(std::strerror(error)));
}

}  // namespace zr::cli
