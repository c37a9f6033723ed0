// The record files' steps on Windows: the system's own calls under the C
// runtime's descriptors, which the callers close and fstat as on POSIX.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <QDir>
#include <QFileInfo>
#include <QUuid>
#include <cerrno>
#include <cstdint>

// windows.h's own ReplaceFile is not the station's.
#undef ReplaceFile

#include "station/durable_file.h"
#include "platform/windows_support.h"

namespace zr::station {

namespace {

HANDLE HandleOf(int fd) { return reinterpret_cast<HANDLE>(_get_osfhandle(fd)); }

std::error_code LastError() { return SystemError(platform::ErrnoOfWindowsError(GetLastError())); }

}  // namespace

std::error_code CreateFolders(const QString& path) {
  const QString folder = QDir::cleanPath(path);
  const std::wstring name = platform::WindowsPath(folder);
  if (CreateDirectoryW(name.c_str(), nullptr)) return {};
  if (GetLastError() == ERROR_PATH_NOT_FOUND) {
    const QString parent = QFileInfo(folder).path();
    if (parent == folder) return SystemError(ENOENT);
    if (const std::error_code error = CreateFolders(parent)) return error;
    if (CreateDirectoryW(name.c_str(), nullptr)) return {};
  }
  // Already there (or made meanwhile by another station): fine if it is a folder.
  const DWORD attributes = GetFileAttributesW(name.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return LastError();
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? std::error_code() : SystemError(ENOTDIR);
}

std::error_code WriteAll(int fd, QByteArrayView bytes) {
  for (qsizetype at = 0; at < bytes.size();) {
    DWORD count = 0;
    if (!WriteFile(HandleOf(fd), bytes.data() + at, static_cast<DWORD>(bytes.size() - at), &count, nullptr)) {
      return LastError();
    }
    if (count == 0) return SystemError(EIO);  // no progress and no reason: do not spin
    at += count;
  }
  return {};
}

// NTFS commits a new file's entry in its folder through its own journal;
// Windows has no folder flush to ask for.
std::error_code SyncFolder(const QString&) { return {}; }

// The user's folders keep their files the user's: no permissions to carry.
std::error_code ReplaceFile(const QString& path, QByteArrayView bytes, unsigned) {
  const QString temporary = path + QStringLiteral(".") + QUuid::createUuid().toString(QUuid::Id128).left(8);
  int fd = -1;
  if (const std::error_code error = OpenRecordFile(temporary, RecordFileOpening::kCreateNew, fd)) return error;
  std::error_code error = WriteAll(fd, bytes);
  if (!error) error = SyncFile(fd);
  if (_close(fd) != 0 && !error) error = SystemError(EIO);
  if (!error && !MoveFileExW(platform::WindowsPath(temporary).c_str(), platform::WindowsPath(path).c_str(),
                             MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    error = LastError();
  }
  if (error) DeleteFileW(platform::WindowsPath(temporary).c_str());
  return error;
}

std::error_code OpenRecordFile(const QString& path, RecordFileOpening opening, int& fd) {
  fd = -1;
  struct Way {
    DWORD access;
    DWORD creation;
    int flags;
  };
  // Appending without the right to write elsewhere puts every write at the
  // end of the file, also when another station appends at the same time.
  const Way way = opening == RecordFileOpening::kRead     ? Way{GENERIC_READ, OPEN_EXISTING, _O_RDONLY}
                  : opening == RecordFileOpening::kAppend ? Way{GENERIC_READ | FILE_APPEND_DATA, OPEN_ALWAYS, _O_APPEND}
                                                          : Way{GENERIC_WRITE, CREATE_NEW, 0};
  const HANDLE file = CreateFileW(platform::WindowsPath(path).c_str(), way.access,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, way.creation,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return LastError();
  fd = _open_osfhandle(reinterpret_cast<std::intptr_t>(file), _O_BINARY | way.flags);
  if (fd < 0) {
    CloseHandle(file);
    return SystemError(EMFILE);
  }
  return {};
}

std::error_code ReadByteAt(int fd, qint64 offset, char& byte) {
  OVERLAPPED at{};
  at.Offset = static_cast<DWORD>(offset & 0xFFFFFFFF);
  at.OffsetHigh = static_cast<DWORD>(offset >> 32);
  DWORD count = 0;
  if (!ReadFile(HandleOf(fd), &byte, 1, &count, &at)) return LastError();
  return count == 1 ? std::error_code() : SystemError(EIO);
}

std::error_code SyncFile(int fd) { return FlushFileBuffers(HandleOf(fd)) ? std::error_code() : LastError(); }

}  // namespace zr::station
