#include "platform/ansi_code_page.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <algorithm>
#include <cstdlib>
#include <map>
#include <optional>
#include <tuple>
#include <vector>

#include "platform/system_locale.h"
#include "tests/support/scoped_environment.h"

namespace zr::platform {
namespace {

TEST(AnsiCodePage, FollowsTheLocaleAsWindowsDoes) {
  for (const auto& [locale, number] : std::vector<std::pair<const char*, unsigned>>{
           {"zh_CN", 936},  {"zh_SG", 936},  {"zh_TW", 950},  {"zh_HK", 950},  {"zh_MO", 950},
           {"ja_JP", 932},  {"ko_KR", 949},  {"en_US", 1252}, {"de_DE", 1252}, {"pl_PL", 1250},
           {"sr_ME", 1250}, {"sr_RS", 1251}, {"ru_RU", 1251}, {"el_GR", 1253}, {"tr_TR", 1254},
           {"az_AZ", 1254}, {"he_IL", 1255}, {"ar_EG", 1256}, {"fa_IR", 1256}, {"lt_LT", 1257},
           {"vi_VN", 1258}, {"th_TH", 874}}) {
    EXPECT_EQ(AnsiCodePage::ForLocale(QString::fromLatin1(locale)).Number(), number) << locale;
  }
  EXPECT_EQ(AnsiCodePage::ForLocale(QStringLiteral("zh_CN")).Name(), "windows-936");
}

TEST(AnsiCodePage, EncodesAndDecodesDoubleByteText) {
  const AnsiCodePage gbk(936);
  const QString text = QString::fromUtf8("A\u4e2d\u6587");
  const QByteArray bytes = gbk.Encode(text);
  EXPECT_EQ(bytes, QByteArray::fromHex("41d6d0cec4"));
  EXPECT_EQ(gbk.Decode(bytes), text);
  EXPECT_DEATH(AnsiCodePage(1200), "unknown code page");
}

TEST(AnsiCodePage, WritesAQuestionMarkForACharacterItCannotHold) {
  // Thai is in none of these code pages, nor is the emoji (one "?" for its
  // surrogate pair); ICU writes U+F86F in 932 as bytes that read as U+2116.
  struct Case {
    unsigned codePage;
    const char16_t* text;
    const char* bytes;
    char32_t first;
  };
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
  EXPECT_EQ(AnsiCodePage(932).FirstUnencodable(u"\uf86f"), U'\uf86f');
}

TEST(AnsiCodePage, ALeadByteWithoutItsPartnerBecomesAReplacementCharacter) {
  for (const auto& [codePage, bytes] : std::vector<std::pair<unsigned, const char*>>{
           {936, "ZR\xb5"}, {950, "ZR\xa4"}, {932, "ZR\x81"}, {949, "ZR\xb0"}}) {
    EXPECT_EQ(AnsiCodePage(codePage).Decode(QByteArray(bytes)), QString::fromUtf8("ZR\ufffd")) << codePage;
  }
}

// Python's codecs carry the tables Microsoft published; Windows reads some
// sequences those tables leave out. Counted per code page, the differences
// Windows is known for:
//  - c1: an unassigned single byte 0x80-0x9F read as the C1 control of that
//    number;
//  - privateUse: a sequence read as a private-use character (user-defined
//    characters, unassigned cells), which Python leaves undefined or, in
//    950's C6A1-C7FC, fills with the ETEN extension's kana, Cyrillic and
//    numbered signs;
//  - named: 936's 0x80 as the euro sign, 1255's 0xCA as point holam haser for vav.
struct KnownDifferences {
  unsigned codePage;
  int c1;
  int privateUse;
  QByteArray named = {};
  char16_t namedAs = 0;
};

const KnownDifferences WindowsBeyondPython[] = {
    {932, 0, 0},   {936, 0, 2150, "\x80", u'\u20ac'}, {949, 1, 189},  {950, 1, 6218}, {874, 23, 8},
    {1250, 5, 0},  {1251, 1, 0},  {1252, 5, 0},  {1253, 14, 3},  {1254, 7, 0},
    {1255, 12, 10, "\xca", u'\u05ba'},  {1256, 0, 0},  {1257, 10, 2},  {1258, 9, 0},
};

// Every single byte and every pair after a non-ASCII byte, as Python decodes
// it: one character, or "-" where its table defines none. Pairs that are two
// characters of their own are left out: their bytes are among the single ones.
constexpr char PythonReference[] = R"(
import sys
for number in sys.argv[1:]:
    codec = 'cp' + number
    singles = [bytes([a]) for a in range(256)]
    pairs = [bytes([a, b]) for a in range(128, 256) for b in range(256)]
    for seq in singles + pairs * (number in ('932', '936', '949', '950')):
        try:
            text = seq.decode(codec)
        except UnicodeDecodeError:
            text = None
        if text is None or len(text) == 1:
            print(number, seq.hex(), '-' if text is None else '%x' % ord(text))
)";

QString Hex(const QString& text) {
  QStringList units;
  for (const QChar c : text) units << QString::number(c.unicode(), 16);
  return units.join(QLatin1Char(' '));
}

TEST(AnsiCodePage, ReadsEverySequenceOfOneAndTwoBytesAsWindowsDoes) {
  if (QStandardPaths::findExecutable(QStringLiteral("python3")).isEmpty()) {
    if (qEnvironmentVariableIsSet("CI")) FAIL() << "python3 is missing";
    GTEST_SKIP() << "python3 is missing: its codecs are the reference";
  }
  QStringList arguments{QStringLiteral("-c"), QString::fromLatin1(PythonReference)};
  for (const KnownDifferences& known : WindowsBeyondPython) arguments << QString::number(known.codePage);
  QProcess python;
  python.start(QStringLiteral("python3"), arguments);
  ASSERT_TRUE(python.waitForFinished(120000)) << python.errorString().toStdString();
  ASSERT_EQ(python.exitCode(), 0) << python.readAllStandardError().toStdString();

  struct Tally {
    int compared = 0, c1 = 0, privateUse = 0, named = 0, unexplained = 0, notWrittenBack = 0;
    QStringList examples;
  };
  std::map<unsigned, Tally> tallies;
  for (const QByteArray& line : python.readAllStandardOutput().split('\n')) {
    const QList<QByteArray> fields = line.split(' ');
    if (fields.size() != 3) continue;
    const AnsiCodePage codePage(fields[0].toUInt());
    const auto& known = *std::find_if(std::begin(WindowsBeyondPython), std::end(WindowsBeyondPython),
                                      [&](const auto& k) { return k.codePage == codePage.Number(); });
    const QByteArray bytes = QByteArray::fromHex(fields[1]);
    const auto byte = static_cast<unsigned char>(bytes[0]);
    // Empty where Python's table defines no character.
    const QString theirs = fields[2] == "-" ? QString() : QString(QChar(fields[2].toUShort(nullptr, 16)));
    const QString ours = codePage.Decode(bytes);
    Tally& tally = tallies[codePage.Number()];
    ++tally.compared;
    // A sequence neither defines is one U+FFFD, or a lead byte that makes no
    // character and its second byte read on its own.
    const bool neither = theirs.isEmpty() && (ours == QString(QChar::ReplacementCharacter) ||
                                              (bytes.size() == 2 && ours == codePage.Decode(bytes.first(1)) +
                                                                               codePage.Decode(bytes.last(1))));
    if (ours == theirs || neither) {
    } else if (bytes == known.named && ours == QChar(known.namedAs)) {
      ++tally.named;
    } else if (theirs.isEmpty() && bytes.size() == 1 && byte >= 0x80 && byte < 0xA0 && ours == QChar(byte)) {
      ++tally.c1;
    } else if (ours.size() == 1 && ours[0].unicode() >= 0xE000 && ours[0].unicode() <= 0xF8FF) {
      ++tally.privateUse;
    } else if (++tally.unexplained <= 5) {
      tally.examples << QStringLiteral("%1: %2, Python %3")
                            .arg(QString::fromLatin1(bytes.toHex()), Hex(ours), Hex(theirs));
    }
    // What was read can be written back as bytes that read the same.
    if (!ours.contains(QChar::ReplacementCharacter) &&
        (codePage.FirstUnencodable(ours) || codePage.Decode(codePage.Encode(ours)) != ours)) {
      ++tally.notWrittenBack;
    }
  }
  for (const KnownDifferences& known : WindowsBeyondPython) {
    const Tally& tally = tallies[known.codePage];
    EXPECT_GE(tally.compared, 256) << known.codePage;
    EXPECT_EQ(tally.unexplained, 0) << known.codePage << ": "
                                    << tally.examples.join(QStringLiteral("; ")).toStdString();
    EXPECT_EQ(std::make_tuple(tally.c1, tally.privateUse, tally.named),
              std::make_tuple(known.c1, known.privateUse, known.named.isEmpty() ? 0 : 1))
        << known.codePage;
    EXPECT_EQ(tally.notWrittenBack, 0) << known.codePage;
    // U+FFFD stands for bytes that made no character: none are its own.
    EXPECT_EQ(AnsiCodePage(known.codePage).FirstUnencodable(u"\ufffd"), U'\ufffd') << known.codePage;
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
  EXPECT_EQ(AnsiCodePage::System().Number(), 936U);
  setenv("LC_ALL", "", 1);  // empty counts as unset
  EXPECT_EQ(SystemLocaleName(), QStringLiteral("ja_JP"));
}

}  // namespace
}  // namespace zr::platform
