#include "platform/ansi_code_page.h"

#include <gtest/gtest.h>

#include "tests/support/scoped_environment.h"

#include <cstdlib>

#include "platform/short_date.h"
#include "platform/system_locale.h"

namespace zr::platform {
namespace {

TEST(AnsiCodePage, FollowsTheLocaleAsWindowsDoes) {
  EXPECT_EQ(AnsiCodePage::ForLocale(QStringLiteral("zh_CN")).Name(), "GBK");
  EXPECT_EQ(AnsiCodePage::ForLocale(QStringLiteral("zh_SG")).Name(), "GBK");
  EXPECT_EQ(AnsiCodePage::ForLocale(QStringLiteral("zh_TW")).Name(), "Big5");
  EXPECT_EQ(AnsiCodePage::ForLocale(QStringLiteral("zh_HK")).Name(), "Big5");
  EXPECT_EQ(AnsiCodePage::ForLocale(QStringLiteral("zh_MO")).Name(), "Big5");
  EXPECT_EQ(AnsiCodePage::ForLocale(QStringLiteral("ja_JP")).Name(), "Shift_JIS");
  EXPECT_EQ(AnsiCodePage::ForLocale(QStringLiteral("ko_KR")).Name(), "windows-949");
  EXPECT_EQ(AnsiCodePage::ForLocale(QStringLiteral("en_US")).Name(), "windows-1252");
  EXPECT_EQ(AnsiCodePage::ForLocale(QStringLiteral("de_DE")).Name(), "windows-1252");
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
