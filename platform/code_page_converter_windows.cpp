// Windows' code page tables on Windows: the system's own conversion.
#include <windows.h>

#include <algorithm>
#include <string>

#include "platform/code_page_converter.h"

namespace zr::platform::code_page_converter {

namespace {

// The characters as text, or nullopt when the table leaves one of them
// undefined: MB_ERR_INVALID_CHARS makes the call fail rather than put the
// table's default character in.
std::optional<QString> DecodeExactly(unsigned codePage, QByteArrayView bytes) {
  const auto size = static_cast<int>(bytes.size());
  const int length = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), size, nullptr, 0);
  if (length <= 0) return std::nullopt;
  std::wstring text(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), size, text.data(), length);
  return QString::fromStdWString(text);
}

}  // namespace

QString Decode(unsigned codePage, QByteArrayView characters) {
  // The usual text converts in one call; only text with an undefined
  // character is taken apart, each of those becoming U+FFFD.
  if (std::optional<QString> text = DecodeExactly(codePage, characters)) return *text;
  QString text;
  for (qsizetype at = 0; at < characters.size();) {
    const qsizetype length = std::max<qsizetype>(CharacterLength(codePage, characters.sliced(at)), 1);
    text += DecodeExactly(codePage, characters.sliced(at, length)).value_or(QString(QChar::ReplacementCharacter));
    at += length;
  }
  return text;
}

std::optional<QByteArray> Encode(unsigned codePage, QStringView text) {
  const auto* units = reinterpret_cast<const wchar_t*>(text.utf16());
  const auto size = static_cast<int>(text.size());
  BOOL usedDefault = FALSE;
  // No best fit: a character the table lacks must not come back as a look-alike.
  const int length =
      WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, units, size, nullptr, 0, nullptr, &usedDefault);
  if (length <= 0 || usedDefault) return std::nullopt;
  QByteArray bytes(length, '\0');
  WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, units, size, bytes.data(), length, nullptr, &usedDefault);
  if (usedDefault) return std::nullopt;
  return bytes;
}

std::optional<unsigned> SystemCodePage() { return GetACP(); }

}  // namespace zr::platform::code_page_converter
