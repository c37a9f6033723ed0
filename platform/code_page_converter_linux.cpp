// Windows' code page tables on Linux: ICU's copies of them, through Qt.
#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>
#include <string_view>

#include "platform/code_page_converter.h"
#include "platform/contract.h"

namespace zr::platform::code_page_converter {

namespace {

// ICU's converter for each code page, by its own name: ICU gives some of
// Windows' names to IBM's tables (cp874, cp949 and cp950 are IBM-874, IBM-949
// and IBM-950). For 932 ICU has only IBM-943, which agrees with Windows on
// every double-byte character; its ASCII differs (0x1A, 0x1C and 0x7F swap
// places) but never comes here. Where ICU's table reads a non-ASCII single
// byte otherwise than Windows, or not at all, `bytes` lists it and
// `characters` holds what Windows reads it as: U+0080, private-use characters
// and 1255's point holam haser for vav.
struct IcuTable {
  unsigned codePage;
  const char* name;
  std::string_view bytes;
  std::u16string_view characters;
};

constexpr IcuTable IcuTables[] = {
    {874, "windows-874-2000", "", u""},
    {932, "ibm-943_P15A-2003", "\x80\xA0\xFD\xFE\xFF", u"\x0080\xF8F0\xF8F1\xF8F2\xF8F3"},
    {936, "windows-936-2000", "", u""},
    {949, "windows-949-2000", "", u""},
    {950, "windows-950-2000", "", u""},
    {1250, "windows-1250", "", u""},
    {1251, "windows-1251", "", u""},
    {1252, "windows-1252", "", u""},
    {1253, "windows-1253", "\xAA\xD2\xFF", u"\xF8F9\xF8FA\xF8FB"},
    {1254, "windows-1254", "", u""},
    {1255, "windows-1255", "\xCA\xD9\xDA\xDB\xDC\xDD\xDE\xDF\xFB\xFC\xFF",
     u"\x05BA\xF88D\xF88E\xF88F\xF890\xF891\xF892\xF893\xF894\xF895\xF896"},
    {1256, "windows-1256", "", u""},
    {1257, "windows-1257", "\xA1\xA5", u"\xF8FC\xF8FD"},
    {1258, "windows-1258", "", u""},
};

const IcuTable& TableOf(unsigned codePage) {
  const auto* table = std::find_if(std::begin(IcuTables), std::end(IcuTables),
                                   [codePage](const IcuTable& t) { return t.codePage == codePage; });
  Expects(table != std::end(IcuTables), "unknown code page");
  return *table;
}

}  // namespace

QString Decode(unsigned codePage, QByteArrayView characters) {
  const IcuTable& table = TableOf(codePage);
  QStringDecoder decoder(table.name);
  QString text;
  qsizetype run = 0;
  const auto convertRun = [&](qsizetype end) {
    if (end > run) text += decoder.decode(characters.sliced(run, end - run));
  };
  for (qsizetype at = 0; at < characters.size();) {
    const qsizetype length = std::max<qsizetype>(CharacterLength(codePage, characters.sliced(at)), 1);
    const std::size_t own = length == 1 ? table.bytes.find(characters[at]) : std::string_view::npos;
    if (own != std::string_view::npos) {
      convertRun(at);
      text += QChar(table.characters[own]);
      run = at + 1;
    }
    at += length;
  }
  convertRun(characters.size());
  return text;
}

std::optional<QByteArray> Encode(unsigned codePage, QStringView text) {
  const IcuTable& table = TableOf(codePage);
  QStringEncoder encoder(table.name);
  QByteArray bytes;
  qsizetype run = 0;
  const auto convertRun = [&](qsizetype end) {
    if (end > run) bytes += QByteArray(encoder.encode(text.sliced(run, end - run)));
  };
  for (qsizetype at = 0; at < text.size(); ++at) {
    const std::size_t own = table.characters.find(text[at].unicode());
    if (own == std::u16string_view::npos) continue;
    convertRun(at);
    bytes += table.bytes[own];
    run = at + 1;
  }
  convertRun(text.size());
  if (encoder.hasError()) return std::nullopt;
  return bytes;
}

std::optional<unsigned> SystemCodePage() { return std::nullopt; }

}  // namespace zr::platform::code_page_converter
