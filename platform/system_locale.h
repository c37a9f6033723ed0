#pragma once

#include <QString>

namespace zr::platform {

// The system locale as Windows would name it for this station, taken from the
// environment: the first non-empty of the given variables. "C", "POSIX" and an
// unset environment count as English (United States). The result is a plain
// "ll_CC" name without code set or modifier, e.g. "zh_CN".
QString LocaleFromEnvironment(std::initializer_list<const char*> variables);

// Locale that decides the code page and the short date format (LC_ALL, LC_CTYPE, LANG).
// On Windows the user's locale, in the same form; the code page is the
// system's own there (AnsiCodePage::System).
QString SystemLocaleName();

}  // namespace zr::platform
