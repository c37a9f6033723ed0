#pragma once

#include <QByteArrayView>
#include <QString>

namespace zr::station {

// The steps the station's own records are written with. Each returns 0 or the
// errno of the step that failed, so that the caller can say in words what
// could not be done to which file.

// Makes `path` a folder, creating the folders above it that are missing.
// ENOTDIR when it, or one above it, is something else.
int CreateFolders(const QString& path);

// Writes all of `bytes`, through short writes and interrupting signals.
int WriteAll(int fd, QByteArrayView bytes);

// Makes `bytes` the whole contents of the file at `path`, or leaves it as it
// was: written to a new file beside it, flushed, renamed over it, the folder
// flushed. The file gets `permissions` (the new file is the owner's alone
// until then).
int ReplaceFile(const QString& path, QByteArrayView bytes, unsigned permissions);

// Flushes the folder's entries to disk: a file just created in it is then
// found after a power cut, not only its contents.
int SyncFolder(const QString& path);

}  // namespace zr::station
