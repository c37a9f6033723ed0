#pragma once

#include <QString>
#include <optional>

#include "record/factory_image.h"

namespace zr::sim {

// Where the radio's block comes from and what the command line sets in it.
struct BlockSettings {
  QString imagePath;              // empty: no file, the block lives in memory only
  std::optional<QString> model;   // --model, when given
  std::optional<QString> serial;  // --serial, when given
  bool triBand = false;
};

inline const QString DefaultModel = QStringLiteral("ZR93KW");
inline const QString DefaultSerial = QStringLiteral("2026120600000001");

// The block of a radio fresh from the line: zeros, the model text and serial
// number, TurboPower on, work country "English".
FactoryImage FreshBlock(const QString& model, const QString& serial);

// The block to start with: the image file when it exists, else a fresh radio;
// then the explicit settings on top. Throws SetupError.
FactoryImage InitialBlock(const BlockSettings& settings);

// Reads a 256-byte image file. Throws SetupError.
FactoryImage LoadBlockFile(const QString& path);
// Replaces the file in one step (temporary file, then rename), so a reader
// never sees half a block. Returns an error text, empty when saved.
QString SaveBlockFile(const QString& path, const FactoryImage& block);

}  // namespace zr::sim
