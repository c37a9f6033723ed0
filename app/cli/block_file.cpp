#include "app/cli/block_file.h"

#include "app/cli/usage_error.h"
#include "station/block_file.h"

namespace zr::cli {

FactoryImage ReadBlockFile(const QString& path, const platform::AnsiCodePage& codePage) {
  std::variant<FactoryImage, QString> loaded = station::BlockFileToWrite(path, codePage, QStringLiteral("--image"));
  if (const QString* why = std::get_if<QString>(&loaded)) throw UsageError(why->toStdString());
  return std::get<FactoryImage>(loaded);
}

void RefuseSaveTarget(const QString& path) {
  if (const QString why = station::SaveTargetRefusal(path); !why.isEmpty()) {
    throw UsageError(QStringLiteral("--save: %1").arg(why).toStdString());
  }
}

}  // namespace zr::cli
