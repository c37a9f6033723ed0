#include "platform/system_locale.h"

#include <QByteArray>
#include <cstdlib>

namespace zr::platform {

namespace {

QString NormalizeLocaleName(const QByteArray& raw) {
  QByteArray name = raw;
  // Drop ".UTF-8" and "@modifier".
  for (char stop : {'.', '@'}) {
    const auto at = name.indexOf(stop);
    if (at >= 0) name.truncate(at);
  }
  if (name.isEmpty() || name == "C" || name == "POSIX") return QStringLiteral("en_US");
  name.replace('-', '_');
  return QString::fromLatin1(name);
}

}  // namespace

QString LocaleFromEnvironment(std::initializer_list<const char*> variables) {
  for (const char* variable : variables) {
    const char* value = std::getenv(variable);
    if (value != nullptr && *value != '\0') return NormalizeLocaleName(QByteArray(value));
  }
  return NormalizeLocaleName(QByteArray());
}

#ifndef _WIN32
// Windows: the user's locale, system_locale_windows.cpp.
QString SystemLocaleName() { return LocaleFromEnvironment({"LC_ALL", "LC_CTYPE", "LANG"}); }
#endif

}  // namespace zr::platform
