#pragma once

#include <QString>

namespace zr::platform {

// The account this program runs as, not the one a variable of the
// environment claims: the effective user's name, or its number when the
// system has no name for it. Windows: the logged-on user's name.
QString UserAccountName();

}  // namespace zr::platform
