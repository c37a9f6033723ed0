#include "platform/user_account.h"

#include <pwd.h>
#include <unistd.h>

namespace zr::platform {

QString UserAccountName() {
  const passwd* account = ::getpwuid(::geteuid());
  return account ? QString::fromLocal8Bit(account->pw_name) : QString::number(::geteuid());
}

}  // namespace zr::platform
