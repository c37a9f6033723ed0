#include "lang/ui_language.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <utility>
#include <vector>

#include "tests/support/scoped_environment.h"

namespace zr::lang {
namespace {

TEST(LcidForLocale, KnownLocalesAndEnglishForTheRest) {
  const std::vector<std::pair<const char*, quint32>> cases{
      {"zh_CN", 0x0804}, {"zh_TW", 0x0404}, {"zh_HK", 0x0C04}, {"en_US", 0x0409}, {"en_GB", 0x0809},
      {"fr_FR", 0x040C}, {"de_DE", 0x0407}, {"ja_JP", 0x0411}, {"ko_KR", 0x0412},
      {"zh_SG", 0x0409}, {"es_ES", 0x0409}, {"zh", 0x0409},    {"", 0x0409},
  };
  for (const auto& [name, lcid] : cases) {
    EXPECT_EQ(LcidForLocale(QString::fromLatin1(name)), lcid) << name;
  }
}

TEST(UiLanguageForLcid, OnlyChinesePrcGivesChinese) {
  EXPECT_EQ(UiLanguageForLcid(0x0804), UiLanguage::Chinese);
  // Other Chinese locales, one with a letter in its hex form, and nonsense.
  for (quint32 lcid : {0x0409u, 0x0404u, 0x0C04u, 0x040Cu, 0x0411u, 0x0u, 0x10804u, 0x0805u}) {
    EXPECT_EQ(UiLanguageForLcid(lcid), UiLanguage::English) << std::hex << lcid;
  }
}

class SystemLocaleEnvironment : public ::testing::Test {
 protected:
  test::ScopedEnvironment environment_{"LC_ALL", "LC_MESSAGES", "LANG", "LC_CTYPE"};
};

TEST_F(SystemLocaleEnvironment, LcAllThenLcMessagesThenLang) {
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
  setenv("LC_ALL", "POSIX", 1);
  EXPECT_EQ(SystemDefaultLcid(), 0x0409u);
  setenv("LC_ALL", "", 1);  // empty counts as unset
  EXPECT_EQ(SystemDefaultLcid(), 0x0407u);
  setenv("LC_MESSAGES", "C.UTF-8", 1);
  EXPECT_EQ(SystemDefaultLcid(), 0x0409u);
}

}  // namespace
}  // namespace zr::lang
