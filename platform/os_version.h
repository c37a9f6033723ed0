#pragma once

#include <optional>

namespace zr::platform {

// What the station asks the system about itself to decide how it lists ports.
struct OsVersion {
  int platformId;  // 2 is the NT platform
  int major;
  int minor;
};

// This system's version, or nullopt when the query failed: GetVersionExA's
// on Windows (os_version_windows.cpp). Linux is not the NT platform, so the
// platform id is 0; major and minor are the kernel's release numbers from
// uname. Only the NT id together with 6.0 means anything
// to the station, so a 6.0 kernel must not and does not look like NT 6.0.
std::optional<OsVersion> QueryOsVersion();

// The fixed port list (COM1 to COM256) is used exactly on NT 6.0: 1 there,
// else 0.
inline int FixedPortListOsFor(const OsVersion& version) {
  constexpr int kNtPlatformId = 2;
  return version.platformId == kNtPlatformId && version.major == 6 && version.minor == 0 ? 1 : 0;
}

}  // namespace zr::platform
