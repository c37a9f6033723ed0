#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <optional>

namespace zr::platform {

// The PC's "default ANSI code page": the 8-bit (or double-byte) code page in
// which the radio's text fields are stored. Chosen from the system locale the
// way Windows derives it, or pinned by name (tests, tools).
class AnsiCodePage {
 public:
  // name: an ICU converter name such as "GBK", "Big5", "windows-1252".
  explicit AnsiCodePage(QByteArray name);

  // Code page of a locale name ("zh_CN" gives GBK, "en_US" windows-1252, ...).
  static AnsiCodePage ForLocale(const QString& localeName);
  // Code page of the system locale of this process's environment.
  static AnsiCodePage System();

  const QByteArray& Name() const { return name_; }
  // The text in this code page. A character the code page cannot hold (one
  // that would not decode back to itself) becomes "?", as the Windows
  // conversion writes it.
  QByteArray Encode(const QString& text) const;
  // The bytes as text. A sequence cut short at the end (a lead byte without
  // its partner) becomes U+FFFD rather than nothing.
  QString Decode(QByteArrayView bytes) const;
  // The first character of `text` the code page cannot hold, so that text can
  // be refused before "?" takes its place; nullopt when every one fits.
  std::optional<char32_t> FirstUnencodable(QStringView text) const;

 private:
  // The bytes of `text` when every character of it fits, else nullopt.
  std::optional<QByteArray> EncodeExactly(QStringView text) const;

  QByteArray name_;
};

}  // namespace zr::platform
