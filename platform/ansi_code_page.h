#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <optional>

namespace zr::platform {

// The PC's "default ANSI code page": the code page, of single or double bytes,
// in which the radio's text fields are stored. Windows' own table of that
// number, chosen from the system locale the way Windows assigns it, or pinned
// by number (tests, tools).
class AnsiCodePage {
 public:
  // number: one of Windows' ANSI code pages, 874, 932, 936, 949, 950 or 1250 to 1258.
  explicit AnsiCodePage(unsigned number);

  // Code page of a locale name ("zh_CN" gives 936, "ru_RU" 1251, "en_US" 1252, ...).
  static AnsiCodePage ForLocale(const QString& localeName);
  // Code page of the system locale of this process's environment; on Windows
  // the system's own (GetACP).
  static AnsiCodePage System();

  unsigned Number() const { return number_; }
  // Which table this is: "windows-936" and the like.
  QByteArray Name() const;

  // The text in this code page. A character the code page cannot hold (one
  // that would not decode back to itself) becomes "?", as the Windows
  // conversion writes it.
  QByteArray Encode(const QString& text) const;
  // The bytes as text. A sequence the table does not define, a lead byte
  // without its partner included, becomes U+FFFD, never a control character.
  QString Decode(QByteArrayView bytes) const;
  // The first character of `text` the code page cannot hold, so that text can
  // be refused before "?" takes its place; nullopt when every one fits.
  // U+FFFD never fits: it stands for bytes that made no character.
  std::optional<char32_t> FirstUnencodable(QStringView text) const;

 private:
  // The bytes of `text` when every character of it fits, else nullopt.
  std::optional<QByteArray> EncodeExactly(QStringView text) const;

  unsigned number_;
};

}  // namespace zr::platform
