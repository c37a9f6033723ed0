#include <windows.h>

#include <array>

#include "platform/own_console.h"

namespace zr::platform {

void ReleaseOwnConsole() {
  // Standard streams that lead elsewhere (a file, a pipe) stay as they are.
  if (GetFileType(GetStdHandle(STD_ERROR_HANDLE)) != FILE_TYPE_CHAR) return;
  // A console shared with a command prompt lists two processes or more.
  std::array<DWORD, 2> processes{};
  if (GetConsoleProcessList(processes.data(), static_cast<DWORD>(processes.size())) == 1) FreeConsole();
}

}  // namespace zr::platform
