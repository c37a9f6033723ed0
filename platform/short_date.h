#pragma once

#include <QDate>
#include <QString>

namespace zr::platform {

// A date in a locale's short date format, always with a four-digit year, as
// the station's clock fields show it: zh_CN gives 2026/12/6, en_US 12/6/2026.
QString ShortDateText(const QDate& date, const QString& localeName);

// The same in the system locale.
QString ShortDateText(const QDate& date);

}  // namespace zr::platform
