#include "app/cli/block_file.h"

#include <QSaveFile>
#include <algorithm>

#include "app/cli/window_field_names.h"
#include "platform/regular_file.h"
#include "record/factory_tables.h"
#include "record/form_values.h"
#include "record/image_codec.h"
#include "record/runtime_error.h"

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
  // A value the window cannot show (a band out of range) would leave the
  // radio one that no read or write can take any more.
  FactoryRecord record;
  DecodeImage(image, record, codePage);
  record.RemoteKill = record.RemoteStun = 0;  // never the file's: they stay the radio's
  FormValues form;
  try {
    ShowRecordInForm(record, form);
  } catch (const RuntimeError& error) {
    throw UsageError(QStringLiteral("--image: %1: %2").arg(path, QString::fromUtf8(error.what())).toStdString());
  }
  return image;
}

QString SaveBlockFile(const QString& path, const FactoryImage& block) {
  QSaveFile file(path);
  const auto& bytes = block.Bytes();
  if (file.open(QIODevice::WriteOnly) &&
      file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size())) == FactoryImageSize &&
      file.commit()) {
    return QString();
  }
  return QStringLiteral("cannot save the block to %1: %2").arg(path, file.errorString());
}

}  // namespace zr::cli
