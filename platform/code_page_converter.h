#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <optional>

// The seam between AnsiCodePage's rules (ansi_code_page.cpp, every system)
// and the table conversion the operating system provides: ICU through Qt on
// Linux (code_page_converter_linux.cpp); on Windows, MultiByteToWideChar and
// WideCharToMultiByte with the code page's number. AnsiCodePage hands over
// only non-ASCII text: every ANSI code page reads 0x00-0x7F as ASCII.
namespace zr::platform::code_page_converter {

// Implemented by each system.

// `characters`, whole characters of one or two bytes none of which is ASCII,
// as text: a sequence the table does not define becomes U+FFFD, never a
// control character nor the table's default character.
QString Decode(unsigned codePage, QByteArrayView characters);
// The bytes of `text`, none of it ASCII; nullopt when the table has no bytes
// for one of its characters. A stand-in ("best fit") may come back: the
// caller keeps only bytes that decode to the same text.
std::optional<QByteArray> Encode(unsigned codePage, QStringView text);
// The system's own ANSI code page (Windows' GetACP); nullopt where the
// system has none and the locale decides.
std::optional<unsigned> SystemCodePage();

// Implemented in ansi_code_page.cpp, for the converters.

// Bytes of the character that starts `bytes`: 1, 2 for a lead byte with its
// trail byte, 0 for a lead byte without one (no character).
qsizetype CharacterLength(unsigned codePage, QByteArrayView bytes);

}  // namespace zr::platform::code_page_converter
