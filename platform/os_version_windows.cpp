#include <windows.h>

#include "platform/os_version.h"

namespace zr::platform {

// GetVersionExA itself, so that the answer is the one the station has always
// had: without a manifest naming later systems, Windows 8 and later report
// 6.2. Only 6.0 (Vista, Server 2008) matters, and every system reports that
// truly.
std::optional<OsVersion> QueryOsVersion() {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof info;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  if (!GetVersionExA(&info)) return std::nullopt;
#pragma GCC diagnostic pop
  return OsVersion{static_cast<int>(info.dwPlatformId), static_cast<int>(info.dwMajorVersion),
                   static_cast<int>(info.dwMinorVersion)};
}

}  // namespace zr::platform
