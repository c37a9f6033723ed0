#include "platform/ansi_code_page.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <stdexcept>
#include <utility>

#include "platform/contract.h"
#include "platform/system_locale.h"

namespace zr::platform {

namespace {

// The UTF-16 units of the code point that starts at `at`: a surrogate pair, or
// one unit (a lone surrogate counts as a code point of its own).
QStringView CodePointAt(QStringView text, qsizetype at) {
  const bool pair = text[at].isHighSurrogate() && at + 1 < text.size() && text[at + 1].isLowSurrogate();
  return text.mid(at, pair ? 2 : 1);
}

char32_t CodePointValue(QStringView units) {
  return units.size() == 2 ? QChar::surrogateToUcs4(units[0], units[1]) : units[0].unicode();
}

}  // namespace

AnsiCodePage::AnsiCodePage(QByteArray name) : name_(std::move(name)) {
  Expects(QStringEncoder(name_.constData()).isValid(), "unknown code page");
}

AnsiCodePage AnsiCodePage::ForLocale(const QString& localeName) {
  const QString language = localeName.section(QLatin1Char('_'), 0, 0).toLower();
  const QString country = localeName.section(QLatin1Char('_'), 1, 1).toUpper();
  if (language == QLatin1String("zh")) {
    const bool traditional = country == QLatin1String("TW") || country == QLatin1String("HK") ||
                             country == QLatin1String("MO");
    return AnsiCodePage(traditional ? "Big5" : "GBK");
  }
  if (language == QLatin1String("ja")) return AnsiCodePage("Shift_JIS");
  if (language == QLatin1String("ko")) return AnsiCodePage("windows-949");
  return AnsiCodePage("windows-1252");
}

AnsiCodePage AnsiCodePage::System() { return ForLocale(SystemLocaleName()); }

// The converters disagree on what stands for a character they cannot hold
// (0x1A in windows-1252, 0xFC 0xFC in Shift_JIS, "?" elsewhere) and some map
// a character to bytes that read back as another one. So a text counts as
// encoded only when its bytes decode back to it; the usual text passes that
// check in one go and only text that fails is taken apart.
std::optional<QByteArray> AnsiCodePage::EncodeExactly(QStringView text) const {
  QStringEncoder encoder(name_.constData());
  QByteArray bytes = encoder.encode(text);
  if (encoder.hasError() || Decode(bytes) != text) return std::nullopt;
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

QString AnsiCodePage::Decode(QByteArrayView bytes) const {
  QStringDecoder decoder(name_.constData());
  QString text = decoder.decode(bytes);
  // The decoder holds back a sequence cut short at the end and would drop it.
  // A NUL pushed after it flushes that out as replacement characters ahead of
  // the NUL's own U+0000; whatever they are, they stand for bytes that make
  // no character, so U+FFFD is what the text gets.
  const QString flushed = decoder.decode(QByteArrayView("", 1));
  text.append(QString(flushed.size() - 1, QChar::ReplacementCharacter));
  return text;
}

}  // namespace zr::platform
