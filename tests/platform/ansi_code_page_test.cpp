#include "platform/ansi_code_page.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <cstdlib>
#include <optional>
#include <tuple>
#include <vector>

#include "platform/system_locale.h"
#ifndef _WIN32
#include "tests/support/scoped_environment.h"
#endif

namespace zr::platform {
namespace {

TEST(AnsiCodePage, FollowsTheLocaleAsWindowsDoes) {
  for (const auto& [locale, number] : std::vector<std::pair<const char*, unsigned>>{
           {"zh_CN", 936}, {"zh_SG", 936}, {"zh_TW", 950}, {"zh_HK", 950}, {"zh_MO", 950}, {"ja_JP", 932},
           {"ko_KR", 949}, {"en_US", 1252}, {"de_DE", 1252}, {"pl_PL", 1250}, {"sr_ME", 1250}, {"sr_RS", 1251},
           {"ru_RU", 1251}, {"el_GR", 1253}, {"tr_TR", 1254}, {"az_AZ", 1254}, {"he_IL", 1255}, {"ar_EG", 1256},
           {"fa_IR", 1256}, {"lt_LT", 1257}, {"vi_VN", 1258}, {"th_TH", 874}}) {
    EXPECT_EQ(AnsiCodePage::ForLocale(QString::fromLatin1(locale)).Number(), number) << locale;
  }
  EXPECT_EQ(AnsiCodePage::ForLocale(QStringLiteral("zh_CN")).Name(), "windows-936");
  EXPECT_DEATH(AnsiCodePage(1200), "unknown code page");
}

TEST(AnsiCodePage, WritesAQuestionMarkForACharacterItCannotHold) {
  // Thai is in none of these code pages, nor is the emoji (one "?" for its
  // surrogate pair); ICU writes U+F86F in 932 as bytes that read as U+2116.
  struct Case { unsigned codePage; const char16_t* text; const char* bytes; char32_t first; };
  for (const Case& c : std::vector<Case>{{1252, u"A\u0e01B\u00e9", "A?B\xe9", U'\u0e01'},
                                         {936, u"\u4e2d\U0001F600", "\xd6\xd0?", U'\U0001F600'},
                                         {950, u"\u0e01\u4e2d", "?\xa4\xa4", U'\u0e01'},
                                         {932, u"A\u0e01\uf86f", "A??", U'\u0e01'},
                                         {949, u"\xd800" u"A", "?A", U'\xd800'}}) {
    const AnsiCodePage codePage(c.codePage);
    const QString text = QString::fromUtf16(c.text);
    EXPECT_EQ(codePage.Encode(text), QByteArray(c.bytes)) << c.codePage;
    EXPECT_EQ(codePage.FirstUnencodable(text), c.first) << c.codePage;
    EXPECT_EQ(codePage.FirstUnencodable(QString::fromUtf8("AZ09 -")), std::nullopt) << c.codePage;
  }
}

// Windows' own tables are the reference on Windows (windows_system_test.cpp),
// and its locale is the system's, not the environment's.
#ifndef _WIN32
// Python's codecs carry the tables Microsoft published; Windows reads some
// sequences they leave out. Per code page, how many: `c1`, an unassigned byte
// 0x80-0x9F read as the C1 control of its number; `privateUse`, a sequence read
// as a private-use character (user-defined and unassigned cells), which Python
// leaves undefined or, in 950's C6A1-C7FC, gives the ETEN extension's kana,
// Cyrillic and numbered signs; `named`: 936's 0x80, the euro sign, and 1255's
// 0xCA, point holam haser for vav.
struct KnownDifferences {
  unsigned codePage;
  int c1 = 0, privateUse = 0;
  QByteArray named = {};
  char16_t namedAs = 0;
};

const KnownDifferences WindowsBeyondPython[] = {
    {932, 0, 0},   {936, 0, 2150, "\x80", u'\u20ac'}, {949, 1, 189},  {950, 1, 6218}, {874, 23, 8},
    {1250, 5, 0},  {1251, 1, 0},  {1252, 5, 0},  {1253, 14, 3},  {1254, 7, 0},
    {1255, 12, 10, "\xca", u'\u05ba'},  {1256, 0, 0},  {1257, 10, 2},  {1258, 9, 0},
};

// Every single byte, and every pair after a non-ASCII byte that Python reads
// as one character or none, with that character or "-".
constexpr char PythonReference[] = R"(
cp = '%1'
pairs = [bytes([a, b]) for a in range(128, 256) for b in range(256)] if cp in ('932', '936', '949', '950') else []
for seq in [bytes([a]) for a in range(256)] + pairs:
    text = seq.decode('cp' + cp, 'replace')
    if len(text) == 1 or '\ufffd' in text:
        print(seq.hex(), '-' if '\ufffd' in text else '%x' % ord(text))
)";

TEST(AnsiCodePage, ReadsEverySequenceOfOneAndTwoBytesAsWindowsDoes) {
  if (QStandardPaths::findExecutable(QStringLiteral("python3")).isEmpty()) {
    if (qEnvironmentVariableIsSet("CI")) FAIL() << "python3 is missing";
    GTEST_SKIP() << "python3 is missing: its codecs are the reference";
  }
  int faults = 0;
  for (const KnownDifferences& known : WindowsBeyondPython) {
    const AnsiCodePage codePage(known.codePage);
    QProcess python;
    python.start(QStringLiteral("python3"),
                 {QStringLiteral("-c"), QString::fromLatin1(PythonReference).arg(known.codePage)});
    ASSERT_TRUE(python.waitForFinished(60000) && python.exitCode() == 0) << python.readAllStandardError().toStdString();
    KnownDifferences found{known.codePage};
    for (const QByteArray& line : python.readAllStandardOutput().trimmed().split('\n')) {
      const QList<QByteArray> fields = line.split(' ');
      const QByteArray bytes = QByteArray::fromHex(fields[0]);
      const QString theirs = fields[1] == "-" ? QString() : QString(QChar(fields[1].toUShort(nullptr, 16)));
      const QString ours = codePage.Decode(bytes);
      // Undefined in both: one U+FFFD, or a lead byte that makes no character and the second byte on its own.
      const bool neither = theirs.isEmpty() && (ours == QString(QChar::ReplacementCharacter) ||
                                                (bytes.size() == 2 && ours == codePage.Decode(bytes.first(1)) +
                                                                                 codePage.Decode(bytes.sliced(1))));
      if (ours == theirs || neither) {
      } else if (bytes == known.named && ours == QChar(known.namedAs)) {
        found.named = bytes;
      } else if (theirs.isEmpty() && bytes.size() == 1 && ours == QChar(uchar(bytes[0])) && uchar(bytes[0]) < 0xA0) {
        ++found.c1;
      } else if (ours.size() == 1 && ours[0].unicode() >= 0xE000 && ours[0].unicode() <= 0xF8FF) {
        ++found.privateUse;
      } else if (++faults <= 10) {
        ADD_FAILURE() << known.codePage << ": " << line.toStdString() << " reads as UTF-8 "
                      << ours.toUtf8().toHex().toStdString();
      }
      // What was read is written back as bytes that read the same.
      if (!ours.contains(QChar::ReplacementCharacter) && codePage.Decode(codePage.Encode(ours)) != ours &&
          ++faults <= 10) {
        ADD_FAILURE() << known.codePage << ": " << line.toStdString() << " is not written back";
      }
    }
    EXPECT_EQ(std::make_tuple(found.c1, found.privateUse, found.named),
              std::make_tuple(known.c1, known.privateUse, known.named)) << known.codePage;
    // U+FFFD stands for bytes that made no character: none are its own.
    EXPECT_EQ(codePage.FirstUnencodable(u"\ufffd"), U'\ufffd') << known.codePage;
  }
}

TEST(EnvironmentLocale, LcAllThenLcCtypeThenLang) {
  const test::ScopedEnvironment environment{"LC_ALL", "LC_CTYPE", "LANG"};
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
  EXPECT_EQ(AnsiCodePage::System().Number(), 936U);
  setenv("LC_ALL", "", 1);  // empty counts as unset
  EXPECT_EQ(SystemLocaleName(), QStringLiteral("ja_JP"));
}

#endif

}  // namespace
}  // namespace zr::platform
