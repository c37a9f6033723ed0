#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

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
  QByteArray Encode(const QString& text) const;
  QString Decode(QByteArrayView bytes) const;

 private:
  QByteArray name_;
};

}  // namespace zr::platform
