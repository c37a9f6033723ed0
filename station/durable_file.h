#pragma once

#include <QByteArrayView>
#include <QString>
#include <QtGlobal>
#include <system_error>

namespace zr::station {

// The system's error number as the standard library names it; none for 0.
inline std::error_code SystemError(int error) { return {error, std::generic_category()}; }

// The steps the station's own records are written with. Each returns the
// system's error of the step that failed (none when it did not), so that the
// caller can say in words what could not be done to which file. POSIX in
// durable_file.cpp, Windows in durable_file_windows.cpp.

// Makes `path` a folder, creating the folders above it that are missing.
// not_a_directory when it, or one above it, is something else.
std::error_code CreateFolders(const QString& path);

// Writes all of `bytes`, through short writes and interrupting signals.
std::error_code WriteAll(int fd, QByteArrayView bytes);

// Makes `bytes` the whole contents of the file at `path`, or leaves it as it
// was: written to a new file beside it, flushed, renamed over it, the folder
// flushed. The file gets `permissions` (the new file is the owner's alone
// until then).
std::error_code ReplaceFile(const QString& path, QByteArrayView bytes, unsigned permissions);

// Flushes the folder's entries to disk: a file just created in it is then
// found after a power cut, not only its contents.
std::error_code SyncFolder(const QString& path);

// A FIFO is opened without waiting for its other end (and then refused by
// the caller, who looks at what it opened).
enum class RecordFileOpening {
  // Read only; no_such_file_or_directory when missing.
  kRead,
  // Read and write, every write at the end, created when missing.
  kAppend,
  // Write only, created here and now: file_exists when the name is taken.
  kCreateNew,
};

// Opens a record file for this user only (the owner's rights on POSIX; on
// Windows the user's own folders are private already) into `fd`, a
// descriptor that close() and fstat() take on every system.
std::error_code OpenRecordFile(const QString& path, RecordFileOpening opening, int& fd);

// Reads the byte at `offset`, wherever the descriptor stands; io_error when
// there is none.
std::error_code ReadByteAt(int fd, qint64 offset, char& byte);

// Flushes the file's contents to disk.
std::error_code SyncFile(int fd);

}  // namespace zr::station
