#include <windows.h>

#include <array>

#include "platform/regular_file.h"
#include "platform/windows_support.h"

namespace zr::platform {

namespace {

// Opens an existing file and keeps the handle only when it is a file on a
// disk: a folder does not open without backup semantics, and a device (a
// path ending in "COM1" or "NUL" names one) or a pipe is refused.
HANDLE OpenRegularFile(const QString& path, DWORD access) {
  const HANDLE file = CreateFileW(WindowsPath(path).c_str(), access,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return file;
  if (GetFileType(file) != FILE_TYPE_DISK) {
    CloseHandle(file);
    return INVALID_HANDLE_VALUE;
  }
  return file;
}

struct CloseOnReturn {
  HANDLE file;
  ~CloseOnReturn() { CloseHandle(file); }
};

}  // namespace

std::optional<QByteArray> ReadRegularFile(const QString& path, qint64 maxBytes) {
  const HANDLE file = OpenRegularFile(path, GENERIC_READ);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  const CloseOnReturn closer{file};
  QByteArray bytes;
  std::array<char, 4096> chunk{};
  // Read to the end rather than trust the size: the file may grow meanwhile.
  while (bytes.size() <= maxBytes) {
    DWORD count = 0;
    if (!ReadFile(file, chunk.data(), static_cast<DWORD>(chunk.size()), &count, nullptr)) return std::nullopt;
    if (count == 0) return bytes;
    bytes.append(chunk.data(), count);
  }
  return std::nullopt;
}

bool RewriteFileInPlace(const QString& path, const QByteArray& bytes) {
  const HANDLE file = OpenRegularFile(path, GENERIC_WRITE);
  if (file == INVALID_HANDLE_VALUE) return false;
  bool written = SetEndOfFile(file) != 0;  // the handle stands at the start
  for (qsizetype at = 0; written && at < bytes.size();) {
    DWORD count = 0;
    written = WriteFile(file, bytes.constData() + at, static_cast<DWORD>(bytes.size() - at), &count, nullptr) &&
              count > 0;
    at += count;
  }
  return CloseHandle(file) && written;
}

}  // namespace zr::platform
