#include <windows.h>

#include <QRegularExpression>
#include <array>
#include <string>

#include "platform/short_date.h"
#include "platform/system_locale.h"

namespace zr::platform {

namespace {

// The user's own locale goes by LOCALE_NAME_USER_DEFAULT, so that a short
// date format the user changed in the control panel counts.
std::wstring WindowsLocaleName(const QString& localeName) {
  if (localeName == SystemLocaleName()) return std::wstring();
  return QString(localeName).replace(QLatin1Char('_'), QLatin1Char('-')).toStdWString();
}

}  // namespace

QString ShortDateText(const QDate& date, const QString& localeName) {
  const std::wstring name = WindowsLocaleName(localeName);
  const wchar_t* locale = name.empty() ? LOCALE_NAME_USER_DEFAULT : name.c_str();
  std::array<wchar_t, 80> picture{};
  if (GetLocaleInfoEx(locale, LOCALE_SSHORTDATE, picture.data(), static_cast<int>(picture.size())) == 0) {
    return date.toString(Qt::ISODate);
  }
  // A two-digit year becomes the four-digit one.
  static const QRegularExpression twoDigitYear(QStringLiteral("(?<!y)yy(?!y)"));
  const std::wstring format =
      QString::fromWCharArray(picture.data()).replace(twoDigitYear, QStringLiteral("yyyy")).toStdWString();
  SYSTEMTIME day{};
  day.wYear = static_cast<WORD>(date.year());
  day.wMonth = static_cast<WORD>(date.month());
  day.wDay = static_cast<WORD>(date.day());
  std::array<wchar_t, 80> text{};
  const int length =
      GetDateFormatEx(locale, 0, &day, format.c_str(), text.data(), static_cast<int>(text.size()), nullptr);
  if (length <= 1) return date.toString(Qt::ISODate);
  return QString::fromWCharArray(text.data(), length - 1);
}

QString ShortDateText(const QDate& date) { return ShortDateText(date, SystemLocaleName()); }

}  // namespace zr::platform
