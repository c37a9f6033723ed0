#pragma once

#include <QString>

#include "platform/ansi_code_page.h"
#include "record/factory_image.h"

namespace zr::cli {

// A radio's whole factory block as a file: its 256 bytes, nothing else
// (what `read --save` writes and every backup holds).

// Reads a block file for `write --image`. Raises UsageError naming the file
// when it is not a regular file of exactly 256 bytes, not a ZR93KW block, or
// holds a value the window cannot show (naming the field and the value).
FactoryImage ReadBlockFile(const QString& path, const platform::AnsiCodePage& codePage);

// Writes the block to `path`, replacing it whole or not at all. Returns why
// it could not; empty when it was written.
QString SaveBlockFile(const QString& path, const FactoryImage& block);

}  // namespace zr::cli
