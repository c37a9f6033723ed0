#include <windows.h>

#include <array>

#include "platform/user_account.h"

namespace zr::platform {

QString UserAccountName() {
  std::array<wchar_t, 257> name{};  // UNLEN and the terminator
  DWORD size = static_cast<DWORD>(name.size());
  if (!GetUserNameW(name.data(), &size)) return QString();
  return QString::fromWCharArray(name.data());
}

}  // namespace zr::platform
