#include "platform/windows_support.h"

#include <windows.h>

#include <QDir>
#include <QUuid>
#include <cerrno>

namespace zr::platform {

QString WindowsErrorText(unsigned long code) {
  wchar_t* buffer = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
      reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  QString text = length > 0 ? QString::fromWCharArray(buffer, static_cast<qsizetype>(length)).trimmed()
                            : QStringLiteral("Windows error %1").arg(code);
  LocalFree(buffer);
  return text;
}

QString LastWindowsErrorText() { return WindowsErrorText(GetLastError()); }

int ErrnoOfWindowsError(unsigned long code) {
  switch (code) {
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS: return EEXIST;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE: return ENOENT;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_WRITE_PROTECT: return EACCES;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return ENOSPC;
    case ERROR_DIRECTORY: return ENOTDIR;
    case ERROR_FILENAME_EXCED_RANGE: return ENAMETOOLONG;
    case ERROR_INVALID_NAME: return EINVAL;
    default: return EIO;
  }
}

std::wstring WindowsPath(const QString& path) { return QDir::toNativeSeparators(path).toStdWString(); }

bool FolderTakesNewFiles(const QString& folder) {
  const QString probe = folder + QStringLiteral("/.zr93kw-probe-") + QUuid::createUuid().toString(QUuid::Id128);
  const HANDLE file = CreateFileW(WindowsPath(probe).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  CloseHandle(file);
  return true;
}

}  // namespace zr::platform
