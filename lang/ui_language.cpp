#include "lang/ui_language.h"

#ifdef _WIN32
#include <windows.h>
#endif

#include <array>
#include <utility>

#include "platform/system_locale.h"

namespace zr::lang {

quint32 LcidForLocale(const QString& localeName) {
  static const std::array<std::pair<QString, quint32>, 9> known{{
      {QStringLiteral("zh_CN"), Lcid::ChinesePrc},
      {QStringLiteral("zh_TW"), Lcid::ChineseTaiwan},
      {QStringLiteral("zh_HK"), Lcid::ChineseHongKong},
      {QStringLiteral("en_US"), Lcid::EnglishUs},
      {QStringLiteral("en_GB"), Lcid::EnglishUk},
      {QStringLiteral("fr_FR"), Lcid::FrenchFrance},
      {QStringLiteral("de_DE"), Lcid::GermanGermany},
      {QStringLiteral("ja_JP"), Lcid::JapaneseJapan},
      {QStringLiteral("ko_KR"), Lcid::KoreanKorea},
  }};
  for (const auto& [name, lcid] : known) {
    if (name == localeName) return lcid;
  }
  return Lcid::EnglishUs;
}

quint32 SystemDefaultLcid() {
#ifdef _WIN32
  return GetSystemDefaultLCID();
#else
  // The messages category is the one that speaks for the interface language.
  return LcidForLocale(platform::LocaleFromEnvironment({"LC_ALL", "LC_MESSAGES", "LANG"}));
#endif
}

UiLanguage UiLanguageForLcid(quint32 lcid) {
  return lcid == Lcid::ChinesePrc ? UiLanguage::Chinese : UiLanguage::English;
}

UiLanguage SystemUiLanguage() { return UiLanguageForLcid(SystemDefaultLcid()); }

}  // namespace zr::lang
