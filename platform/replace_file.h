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

}  // namespace zr::platform
