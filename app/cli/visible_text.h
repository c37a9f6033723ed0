#pragma once

#include <QString>
#include <QStringView>

namespace zr::cli {

// Text from a radio or a log as the command line prints it in its tables and
// cause lines: control characters, which could clear the screen or move the
// cursor, show as escapes. "\r", "\n" and "\t" for those three (so that a
// description's line breaks keep its value on one line), "\x1B" for the other
// C0 characters, DEL and the C1 ones. Everything else is left as it is.
QString VisibleText(QStringView text);

}  // namespace zr::cli
