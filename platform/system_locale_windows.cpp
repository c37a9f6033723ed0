#include <windows.h>

#include <array>

#include "platform/system_locale.h"

namespace zr::platform {

QString SystemLocaleName() {
  std::array<wchar_t, LOCALE_NAME_MAX_LENGTH> name{};
  if (GetUserDefaultLocaleName(name.data(), LOCALE_NAME_MAX_LENGTH) == 0) return QStringLiteral("en_US");
  // "zh-CN" is "zh_CN" here.
  return QString::fromWCharArray(name.data()).replace(QLatin1Char('-'), QLatin1Char('_'));
}

}  // namespace zr::platform
