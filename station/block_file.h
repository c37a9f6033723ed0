#pragma once

#include <QString>

#include "platform/ansi_code_page.h"
#include "record/factory_image.h"
#include "station/file_result.h"

namespace zr::station {

// A radio's whole factory block as a file: its 256 bytes, nothing else
// (what `read --save` writes and every backup holds).

// Reads a block file to write to a radio: its block, or why not, naming the
// file: it is not a regular file of exactly 256 bytes, not a ZR93KW block, or
// holds a value the window cannot show (naming the field and the value).
// `what` names the file's part in the reason ("--image", "the backup").
FileResult<FactoryImage> BlockFileToWrite(const QString& path, const platform::AnsiCodePage& codePage,
                                          const QString& what);

// Writes the block to `path`, replacing it whole or not at all, and flushed
// to disk. Refuses anything but a regular file; a new file is the owner's
// alone, one replaced keeps its permissions.
FileResult<> SaveBlockFile(const QString& path, const FactoryImage& block);

// Whether SaveBlockFile would take `path` (not a FIFO, a device, a folder),
// so that a refusal can be said before the radio is read.
FileResult<> CheckSaveTarget(const QString& path);

}  // namespace zr::station
