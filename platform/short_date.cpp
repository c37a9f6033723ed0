#include "platform/short_date.h"

#include <QLocale>
#include <QRegularExpression>

#include "platform/system_locale.h"

namespace zr::platform {

QString ShortDateText(const QDate& date, const QString& localeName) {
  QString format = QLocale(localeName).dateFormat(QLocale::ShortFormat);
  // Locales whose short format has a two-digit year get the four-digit one.
  static const QRegularExpression twoDigitYear(QStringLiteral("(?<!y)yy(?!y)"));
  format.replace(twoDigitYear, QStringLiteral("yyyy"));
  return QLocale(localeName).toString(date, format);
}

QString ShortDateText(const QDate& date) { return ShortDateText(date, SystemLocaleName()); }

}  // namespace zr::platform
