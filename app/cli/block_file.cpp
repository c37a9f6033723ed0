#include "app/cli/block_file.h"

#include "app/cli/usage_error.h"
#include "station/block_file.h"

namespace zr::cli {

FactoryImage ReadBlockFile(const QString& path, const platform::AnsiCodePage& codePage) {
  const station::FileResult<FactoryImage> loaded = station::BlockFileToWrite(path, codePage, QStringLiteral("--image"));
  if (!loaded.Ok()) throw UsageError(loaded.Why().toStdString());
  return loaded.Get();
}

void RefuseSaveTarget(const QString& path) {
  if (const station::FileResult<> target = station::CheckSaveTarget(path); !target.Ok()) {
    throw UsageError(QStringLiteral("--save: %1").arg(target.Why()).toStdString());
  }
}

}  // namespace zr::cli
