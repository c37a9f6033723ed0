#include "tools/radio-sim/radio_block.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "platform/ansi_code_page.h"
#include "platform/replace_file.h"
#include "record/field_conversions.h"
#include "record/image_codec.h"
#include "record/runtime_error.h"
#include "tools/radio-sim/setup_error.h"

namespace zr::sim {

namespace {

constexpr std::uint8_t WorkCountryEnglish = 1;

void PutModel(FactoryImage& block, const QString& model) {
  const platform::AnsiCodePage codePage = platform::AnsiCodePage::System();
  const FactoryField& field = FieldOf(Field::ModelName);
  if (codePage.Encode(model).size() > field.width) {
    throw SetupError(QStringLiteral("model \"%1\" is longer than %2 bytes").arg(model).arg(field.width));
  }
  try {
    FieldWriter(block, codePage).PutChars(field.offset, model, field.width);
  } catch (const RuntimeError& error) {
    throw SetupError(QStringLiteral("model \"%1\": %2").arg(model, QString::fromStdString(error.what())));
  }
}

void PutSerial(FactoryImage& block, const QString& serial) {
  const platform::AnsiCodePage codePage = platform::AnsiCodePage::System();
  const FactoryField& field = FieldOf(Field::SerialNumber);
  if (codePage.Encode(serial).size() > field.width) {
    throw SetupError(QStringLiteral("serial number \"%1\" is longer than %2 bytes").arg(serial).arg(field.width));
  }
  FieldWriter(block, codePage).PutText(field.offset, serial, field.width);
}

}  // namespace

FactoryImage FreshBlock(const QString& model, const QString& serial) {
  FactoryImage block;
  PutModel(block, model);
  PutSerial(block, serial);
  block[FieldOf(Field::TurboPower).offset] = 1;
  block[FieldOf(Field::WorkCountry).offset] = WorkCountryEnglish;
  return block;
}

FactoryImage InitialBlock(const BlockSettings& settings) {
  // Found now rather than at the first write, which could then not be kept.
  if (!settings.imagePath.isEmpty() && !QFileInfo(settings.imagePath).absoluteDir().exists()) {
    throw SetupError(QStringLiteral("the folder of image file %1 does not exist").arg(settings.imagePath));
  }
  const bool fromFile = !settings.imagePath.isEmpty() && QFileInfo::exists(settings.imagePath);
  FactoryImage block = fromFile
                           ? LoadBlockFile(settings.imagePath)
                           : FreshBlock(settings.model.value_or(DefaultModel), settings.serial.value_or(DefaultSerial));
  if (fromFile && settings.model) PutModel(block, *settings.model);
  if (fromFile && settings.serial) PutSerial(block, *settings.serial);
  if (settings.triBand) block[FeatureByte] |= TriBandBit;
  return block;
}

FactoryImage LoadBlockFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    throw SetupError(QStringLiteral("cannot read image file %1: %2").arg(path, file.errorString()));
  }
  // One byte more than a block is enough to tell a wrong size.
  const QByteArray bytes = file.read(FactoryImageSize + 1);
  if (bytes.size() != FactoryImageSize) {
    throw SetupError(
        QStringLiteral("image file %1 has %2 bytes, a block has %3").arg(path).arg(file.size()).arg(FactoryImageSize));
  }
  FactoryImage block;
  for (int i = 0; i < FactoryImageSize; ++i) block[i] = static_cast<std::uint8_t>(bytes[i]);
  return block;
}

QString SaveBlockFile(const QString& path, const FactoryImage& block) {
  const auto& bytes = block.Bytes();
  const QByteArray data(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
  if (!platform::ReplaceFileContents(path, data)) return QStringLiteral("cannot write %1").arg(path);
  return {};
}

}  // namespace zr::sim
