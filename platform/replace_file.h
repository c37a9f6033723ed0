#pragma once

#include <QByteArray>
#include <QString>

namespace zr::platform {

// Writes the whole file under a temporary name beside it and renames it over
// the old one, so a crash leaves the old file or the new one, never half of
// either. No fsync: the station rewrites its small files on every port open
// and close, and a sync there would cost milliseconds on every radio.
// Returns false (and leaves no temporary file) when the write failed.
bool ReplaceFileContents(const QString& path, const QByteArray& bytes);

// Makes `bytes` the contents of the file at `path`: replaced as above where
// that can be done, else rewritten in place (RewriteFileInPlace). In place
// when `path` is a symbolic link, which a rename would replace by a file, or
// when its folder takes no new file, where a rename cannot be made; then the
// file must exist already.
bool StoreFileContents(const QString& path, const QByteArray& bytes);

}  // namespace zr::platform
