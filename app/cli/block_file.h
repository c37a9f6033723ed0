#pragma once

#include <QString>

#include "platform/ansi_code_page.h"
#include "record/factory_image.h"

namespace zr::cli {

// The block files of `write --image` and `read --save` as arguments: refused
// (UsageError) before the port opens when station::BlockFileToWrite or
// station::CheckSaveTarget say no.
FactoryImage ReadBlockFile(const QString& path, const platform::AnsiCodePage& codePage);
void RefuseSaveTarget(const QString& path);

}  // namespace zr::cli
