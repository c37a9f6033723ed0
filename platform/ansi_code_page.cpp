#include "platform/ansi_code_page.h"

#include <QStringList>
#include <algorithm>
#include <string_view>
#include <utility>

#include "platform/code_page_converter.h"
#include "platform/contract.h"
#include "platform/system_locale.h"

namespace zr::platform {

namespace {

// Windows' ANSI code pages. A double-byte one gives, as pairs of first and
// last byte, the ranges of its lead bytes and of the trail bytes that may
// follow one.
struct CodePageLayout {
  unsigned number;
  std::string_view leadBytes;
  std::string_view trailBytes;
};

constexpr CodePageLayout CodePages[] = {
    {874, "", ""},
    {932, "\x81\x9F\xE0\xFC", "\x40\x7E\x80\xFC"},
    {936, "\x81\xFE", "\x40\x7E\x80\xFE"},
    {949, "\x81\xFE", "\x41\x5A\x61\x7A\x81\xFE"},
    {950, "\x81\xFE", "\x40\x7E\xA1\xFE"},
    {1250, "", ""}, {1251, "", ""}, {1252, "", ""}, {1253, "", ""}, {1254, "", ""},
    {1255, "", ""}, {1256, "", ""}, {1257, "", ""}, {1258, "", ""},
};

// The ANSI code page Windows gives a system locale, by language, or by
// language and country where the country decides (Serbian in Montenegro is
// written in Latin letters, in Serbia in Cyrillic). The first entry that
// names the locale counts; any other locale has 1252.
constexpr std::pair<unsigned, const char*> LocaleCodePages[] = {
    {950, "zh_TW zh_HK zh_MO"},
    {936, "zh"},
    {932, "ja"},
    {949, "ko"},
    {1250, "cs hu pl ro sk sl hr bs sq tk sr_ME"},
    {1251, "ru uk be bg mk sr kk ky tt mn tg ba sah"},
    {1253, "el"},
    {1254, "tr az uz"},
    {1255, "he"},
    {1256, "ar fa ur ug"},
    {1257, "et lv lt"},
    {1258, "vi"},
    {874, "th"},
};

const CodePageLayout* LayoutOf(unsigned number) {
  const auto* found = std::find_if(std::begin(CodePages), std::end(CodePages),
                                   [number](const CodePageLayout& layout) { return layout.number == number; });
  return found == std::end(CodePages) ? nullptr : found;
}

bool InRanges(std::string_view ranges, char byte) {
  const auto value = static_cast<unsigned char>(byte);
  for (std::size_t at = 0; at + 1 < ranges.size(); at += 2) {
    if (value >= static_cast<unsigned char>(ranges[at]) && value <= static_cast<unsigned char>(ranges[at + 1])) {
      return true;
    }
  }
  return false;
}

bool IsAscii(char byte) { return static_cast<unsigned char>(byte) < 0x80; }

// The UTF-16 units of the code point that starts `at`: a surrogate pair, or
// one unit (a lone surrogate counts as a code point of its own).
QStringView CodePointAt(QStringView text, qsizetype at) {
  const bool pair = text[at].isHighSurrogate() && at + 1 < text.size() && text[at + 1].isLowSurrogate();
  return text.mid(at, pair ? 2 : 1);
}

char32_t CodePointValue(QStringView units) {
  return units.size() == 2 ? QChar::surrogateToUcs4(units[0], units[1]) : units[0].unicode();
}

}  // namespace

namespace code_page_converter {

qsizetype CharacterLength(unsigned codePage, QByteArrayView bytes) {
  const CodePageLayout& layout = *LayoutOf(codePage);
  if (!InRanges(layout.leadBytes, bytes.front())) return 1;
  return bytes.size() > 1 && InRanges(layout.trailBytes, bytes[1]) ? 2 : 0;
}

}  // namespace code_page_converter

AnsiCodePage::AnsiCodePage(unsigned number) : number_(number) {
  Expects(LayoutOf(number) != nullptr, "unknown code page");
}

AnsiCodePage AnsiCodePage::ForLocale(const QString& localeName) {
  const QString language = localeName.section(QLatin1Char('_'), 0, 0).toLower();
  const QString languageAndCountry = language + QLatin1Char('_') + localeName.section(QLatin1Char('_'), 1, 1).toUpper();
  for (const auto& [number, locales] : LocaleCodePages) {
    const QStringList names = QString::fromLatin1(locales).split(QLatin1Char(' '));
    if (names.contains(language) || names.contains(languageAndCountry)) return AnsiCodePage(number);
  }
  return AnsiCodePage(1252);
}

AnsiCodePage AnsiCodePage::System() {
  // A Windows set to UTF-8 for every program (65001) has no ANSI table: the
  // one Windows gives the locale stands in.
  const std::optional<unsigned> number = code_page_converter::SystemCodePage();
  if (number && LayoutOf(*number) != nullptr) return AnsiCodePage(*number);
  return ForLocale(SystemLocaleName());
}

QByteArray AnsiCodePage::Name() const { return "windows-" + QByteArray::number(number_); }

// ASCII is the same in every ANSI code page and is taken as it is; the rest
// goes to the system's converter in runs of whole characters.
QString AnsiCodePage::Decode(QByteArrayView bytes) const {
  QString text;
  text.reserve(bytes.size());
  qsizetype run = 0;
  const auto convertRun = [&](qsizetype end) {
    if (end > run) text += code_page_converter::Decode(number_, bytes.sliced(run, end - run));
  };
  for (qsizetype at = 0; at < bytes.size();) {
    const qsizetype length = code_page_converter::CharacterLength(number_, bytes.sliced(at));
    if (!IsAscii(bytes[at]) && length > 0) {
      at += length;
      continue;
    }
    convertRun(at);
    // A lead byte without its partner makes no character; what follows it is
    // read on its own.
    text += length > 0 ? QChar(QLatin1Char(bytes[at])) : QChar(QChar::ReplacementCharacter);
    run = ++at;
  }
  convertRun(bytes.size());
  return text;
}

// A converter may hand back a stand-in for a character its table lacks, and
// a table may read a character's bytes as another one. So a text counts as
// encoded only when its bytes decode back to it; the usual text passes that
// check in one go and only text that fails is taken apart.
std::optional<QByteArray> AnsiCodePage::EncodeExactly(QStringView text) const {
  if (text.contains(QChar::ReplacementCharacter)) return std::nullopt;
  QByteArray bytes;
  bytes.reserve(text.size() * 2);
  qsizetype run = 0;
  for (qsizetype at = 0; at <= text.size(); ++at) {
    if (at < text.size() && text[at].unicode() >= 0x80) continue;
    if (at > run) {
      const std::optional<QByteArray> converted = code_page_converter::Encode(number_, text.sliced(run, at - run));
      if (!converted) return std::nullopt;
      bytes += *converted;
    }
    if (at < text.size()) bytes += static_cast<char>(text[at].unicode());
    run = at + 1;
  }
  if (Decode(bytes) != text) return std::nullopt;
  return bytes;
}

QByteArray AnsiCodePage::Encode(const QString& text) const {
  if (std::optional<QByteArray> bytes = EncodeExactly(text)) return *std::move(bytes);
  QByteArray bytes;
  for (qsizetype at = 0; at < text.size();) {
    const QStringView units = CodePointAt(text, at);
    bytes.append(EncodeExactly(units).value_or(QByteArray("?")));
    at += units.size();
  }
  return bytes;
}

std::optional<char32_t> AnsiCodePage::FirstUnencodable(QStringView text) const {
  if (EncodeExactly(text)) return std::nullopt;
  for (qsizetype at = 0; at < text.size();) {
    const QStringView units = CodePointAt(text, at);
    if (!EncodeExactly(units)) return CodePointValue(units);
    at += units.size();
  }
  return std::nullopt;
}

}  // namespace zr::platform
