#include "platform/ansi_code_page.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "platform/short_date.h"
#include "platform/system_locale.h"
#include "tests/support/scoped_environment.h"

namespace zr::platform {
namespace {

TEST(AnsiCodePage, FollowsTheLocaleAsWindowsDoes) {
  for (const auto& [locale, codePage] : std::vector<std::pair<const char*, const char*>>{
           {"zh_CN", "GBK"}, {"zh_SG", "GBK"}, {"zh_TW", "Big5"}, {"zh_HK", "Big5"}, {"zh_MO", "Big5"},
           {"ja_JP", "Shift_JIS"}, {"ko_KR", "windows-949"}, {"en_US", "windows-1252"}, {"de_DE", "windows-1252"}}) {
    EXPECT_EQ(AnsiCodePage::ForLocale(QString::fromLatin1(locale)).Name(), codePage) << locale;
  }
}

TEST(AnsiCodePage, EncodesAndDecodesDoubleByteText) {
  const AnsiCodePage gbk("GBK");
  const QString text = QString::fromUtf8("A\u4e2d\u6587");
  const QByteArray bytes = gbk.Encode(text);
  EXPECT_EQ(bytes, QByteArray::fromHex("41d6d0cec4"));
  EXPECT_EQ(gbk.Decode(bytes), text);
  EXPECT_EQ(AnsiCodePage("windows-1252").Decode(QByteArray("\x80", 1)), QString::fromUtf8("\u20ac"));
  EXPECT_THROW(AnsiCodePage("no-such-code-page"), std::invalid_argument);
}

class EnvironmentLocale : public ::testing::Test {
 protected:
  test::ScopedEnvironment environment_{"LC_ALL", "LC_CTYPE", "LANG"};
};

TEST_F(EnvironmentLocale, LcAllThenLcCtypeThenLang) {
  EXPECT_EQ(SystemLocaleName(), QStringLiteral("en_US"));
  setenv("LANG", "zh_TW.UTF-8", 1);
  EXPECT_EQ(SystemLocaleName(), QStringLiteral("zh_TW"));
  setenv("LC_CTYPE", "ja_JP.eucJP", 1);
  EXPECT_EQ(SystemLocaleName(), QStringLiteral("ja_JP"));
  setenv("LC_ALL", "C", 1);
  EXPECT_EQ(SystemLocaleName(), QStringLiteral("en_US"));
  setenv("LC_ALL", "zh_CN.UTF-8", 1);
  EXPECT_EQ(AnsiCodePage::System().Name(), "GBK");
  setenv("LC_ALL", "", 1);  // empty counts as unset
  EXPECT_EQ(SystemLocaleName(), QStringLiteral("ja_JP"));
}

TEST(ShortDate, LocaleFormatWithFourDigitYear) {
  const QDate date(2026, 12, 6);
  EXPECT_EQ(ShortDateText(date, QStringLiteral("zh_CN")), QStringLiteral("2026/12/6"));
  EXPECT_EQ(ShortDateText(date, QStringLiteral("en_US")), QStringLiteral("12/6/2026"));
  EXPECT_EQ(ShortDateText(date, QStringLiteral("de_DE")), QStringLiteral("06.12.2026"));
}

}  // namespace
}  // namespace zr::platform
