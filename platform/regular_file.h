#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace zr::platform {

// Small files the station keeps beside itself, opened so that nothing but a
// regular file is ever read or written: a FIFO is opened without blocking and
// then refused, as is a device, a directory or anything else. A symbolic link
// is followed.

// The whole contents of the regular file at `path`, or nullopt when it is not
// one, cannot be read, or holds more than `maxBytes` (a link to an endless
// device or a runaway file must not take the memory).
std::optional<QByteArray> ReadRegularFile(const QString& path, qint64 maxBytes);

// Truncates the existing regular file at `path` and writes `bytes` into it,
// through a link to the file it names. Never creates a file. Not atomic: a
// crash can leave the file cut short, so it is only for where the file
// cannot be replaced. Returns false when it is not a regular file or a step
// failed.
bool RewriteFileInPlace(const QString& path, const QByteArray& bytes);

}  // namespace zr::platform
