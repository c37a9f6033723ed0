#pragma once

#include <QString>
#include <QtGlobal>

namespace zr::lang {

// The window's UiLanguage. It is Unset until the language has been chosen at
// start-up, then one of the other two for the rest of the run.
enum class UiLanguage : qint16 { Unset = 0, English = 1, Chinese = 2 };

// Locale identifiers this station knows by name; any other locale counts as
// English (United States).
namespace Lcid {
inline constexpr quint32 ChinesePrc = 0x0804;
inline constexpr quint32 ChineseTaiwan = 0x0404;
inline constexpr quint32 ChineseHongKong = 0x0C04;
inline constexpr quint32 EnglishUs = 0x0409;
inline constexpr quint32 EnglishUk = 0x0809;
inline constexpr quint32 FrenchFrance = 0x040C;
inline constexpr quint32 GermanGermany = 0x0407;
inline constexpr quint32 JapaneseJapan = 0x0411;
inline constexpr quint32 KoreanKorea = 0x0412;
}  // namespace Lcid

// Locale identifier of a plain "ll_CC" locale name ("zh_CN" gives 0x0804);
// unknown names give 0x0409.
quint32 LcidForLocale(const QString& localeName);

// The system default locale identifier: GetSystemDefaultLCID on Windows;
// elsewhere taken from the first non-empty of LC_ALL, LC_MESSAGES and LANG
// (unset, "C" and "POSIX" count as en_US).
quint32 SystemDefaultLcid();

// Chinese for exactly 0x0804; English for everything else, the other Chinese
// locales included.
UiLanguage UiLanguageForLcid(quint32 lcid);

// The interface language of this run: UiLanguageForLcid(SystemDefaultLcid()).
UiLanguage SystemUiLanguage();

}  // namespace zr::lang
