#include "lang/ui_language.h"

#include <gtest/gtest.h>

#include "tests/support/scoped_environment.h"

namespace zr::lang {
namespace {

// Chinese only for the PRC: Taiwan, Hong Kong, Singapore and a bare "zh" get English.
TEST(UiLanguage, OnlyChinesePrcGivesChinese) {
  for (const auto& [locale, language] : std::vector<std::pair<const char*, UiLanguage>>{
           {"zh_CN", UiLanguage::Chinese}, {"zh_TW", UiLanguage::English}, {"zh_HK", UiLanguage::English},
           {"zh_SG", UiLanguage::English}, {"zh", UiLanguage::English}, {"", UiLanguage::English}}) {
    EXPECT_EQ(UiLanguageForLcid(LcidForLocale(QString::fromLatin1(locale))), language) << locale;
  }
  EXPECT_EQ(LcidForLocale(QStringLiteral("es_ES")), 0x0409u);  // unknown: English (United States)
  EXPECT_EQ(UiLanguageForLcid(0x10804), UiLanguage::English);
}

// How a variable's value is read is the code page's test's (the same reader).
TEST(SystemLocaleEnvironment, LcAllThenLcMessagesThenLang) {
  const test::ScopedEnvironment environment{"LC_ALL", "LC_MESSAGES", "LANG", "LC_CTYPE"};
  EXPECT_EQ(SystemDefaultLcid(), 0x0409u);  // nothing set
  setenv("LC_CTYPE", "zh_CN.UTF-8", 1);     // not a messages variable
  EXPECT_EQ(SystemDefaultLcid(), 0x0409u);
  setenv("LANG", "zh_CN.GB18030", 1);
  EXPECT_EQ(SystemDefaultLcid(), 0x0804u);
  EXPECT_EQ(SystemUiLanguage(), UiLanguage::Chinese);
  setenv("LC_MESSAGES", "de_DE@euro", 1);
  EXPECT_EQ(SystemDefaultLcid(), 0x0407u);
  setenv("LC_ALL", "zh_TW.Big5", 1);
  EXPECT_EQ(SystemDefaultLcid(), 0x0404u);
  EXPECT_EQ(SystemUiLanguage(), UiLanguage::English);
}

}  // namespace
}  // namespace zr::lang
