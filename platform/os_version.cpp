#include "platform/os_version.h"

#include <sys/utsname.h>

#include <QByteArray>
#include <QList>

namespace zr::platform {

namespace {

constexpr int kNonNtPlatformId = 0;

// The number at the start of a release part ("1" of "1-rc2"), 0 when none:
// an unusual release string is still a successful query.
int LeadingNumber(const QByteArray& part) {
  int number = 0;
  for (const char c : part) {
    if (c < '0' || c > '9' || number > 99999) break;
    number = number * 10 + (c - '0');
  }
  return number;
}

}  // namespace

std::optional<OsVersion> QueryOsVersion() {
  utsname names{};
  if (uname(&names) != 0) return std::nullopt;
  // The release reads "6.1.0-18-amd64": major and minor are its first two
  // numbers.
  const QList<QByteArray> parts = QByteArray(names.release).split('.');
  return OsVersion{kNonNtPlatformId, LeadingNumber(parts.value(0)), LeadingNumber(parts.value(1))};
}

}  // namespace zr::platform
