#include "platform/ansi_code_page.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <vector>

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
  EXPECT_DEATH(AnsiCodePage("no-such-code-page"), "unknown code page");
}

TEST(AnsiCodePage, WritesAQuestionMarkForACharacterItCannotHold) {
  // Thai is in none of these code pages, nor is the emoji (one "?" for its
  // surrogate pair); U+F86F is one Shift_JIS encodes but reads back as U+2116.
  struct Case {
    const char* codePage;
    const char16_t* text;
    const char* bytes;
    char32_t first;
  };
  for (const Case& c : std::vector<Case>{{"windows-1252", u"A\u0e01B\u00e9", "A?B\xe9", U'\u0e01'},
                                         {"GBK", u"\u4e2d\U0001F600", "\xd6\xd0?", U'\U0001F600'},
                                         {"Big5", u"\u0e01\u4e2d", "?\xa4\xa4", U'\u0e01'},
                                         {"Shift_JIS", u"A\u0e01\uf86f", "A??", U'\u0e01'},
                                         {"windows-949", u"\xd800" u"A", "?A", U'\xd800'}}) {
    const AnsiCodePage codePage(c.codePage);
    const QString text = QString::fromUtf16(c.text);
    EXPECT_EQ(codePage.Encode(text), QByteArray(c.bytes)) << c.codePage;
    EXPECT_EQ(codePage.FirstUnencodable(text), c.first) << c.codePage;
    EXPECT_EQ(codePage.FirstUnencodable(QString::fromUtf8("AZ09 -")), std::nullopt) << c.codePage;
  }
  EXPECT_EQ(AnsiCodePage("Shift_JIS").FirstUnencodable(u"\uf86f"), U'\uf86f');
}

TEST(AnsiCodePage, ALeadByteWithoutItsPartnerBecomesAReplacementCharacter) {
  for (const auto& [codePage, bytes] : std::vector<std::pair<const char*, const char*>>{
           {"GBK", "ZR\xb5"}, {"Big5", "ZR\xa4"}, {"Shift_JIS", "ZR\x81"}, {"windows-949", "ZR\xb0"}}) {
    EXPECT_EQ(AnsiCodePage(codePage).Decode(QByteArray(bytes)), QString::fromUtf8("ZR\ufffd")) << codePage;
  }
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
  for (const char* plain : {"C", "C.UTF-8", "POSIX"}) {
    setenv("LC_ALL", plain, 1);
    EXPECT_EQ(SystemLocaleName(), QStringLiteral("en_US")) << plain;
  }
  setenv("LC_ALL", "zh_CN.UTF-8", 1);
  EXPECT_EQ(AnsiCodePage::System().Name(), "GBK");
  setenv("LC_ALL", "", 1);  // empty counts as unset
  EXPECT_EQ(SystemLocaleName(), QStringLiteral("ja_JP"));
}

}  // namespace
}  // namespace zr::platform
