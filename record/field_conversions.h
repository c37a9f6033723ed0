#pragma once

#include <QString>
#include <QStringList>

#include "platform/ansi_code_page.h"
#include "record/factory_image.h"

namespace zr {

// Texts in and out of the image, with the block's rules: fields are
// left-aligned and zero-filled; a reader stops before the first 0x00 or 0xFF
// byte. Character fields hold one byte per character; ANSI text fields hold
// the text in the PC's ANSI code page.
class FieldWriter {
 public:
  FieldWriter(FactoryImage& image, const platform::AnsiCodePage& codePage)
      : image_(image), codePage_(codePage) {}

  // Writes exactly `width` bytes: the character codes of `text`, then zeros.
  // A character that takes more than one byte raises RuntimeError.
  void PutChars(int offset, const QString& text, int width);
  // Writes exactly `width` bytes of `text` in the ANSI code page, zero-filled;
  // bytes past the width are dropped, even when that splits a character.
  void PutText(int offset, const QString& text, int width);

 private:
  FactoryImage& image_;
  const platform::AnsiCodePage& codePage_;
};

class FieldReader {
 public:
  FieldReader(const FactoryImage& image, const platform::AnsiCodePage& codePage)
      : image_(image), codePage_(codePage) {}

  // Up to `width` bytes from `offset`, each turned into its own character; a
  // byte that is no character on its own (a lead byte) becomes U+FFFD, never
  // nothing, so the text keeps one character per byte.
  QString GetChars(int offset, int width) const;
  // Up to `width` bytes from `offset`, converted as one ANSI text; trailing
  // blanks go only when the bytes fill the whole conversion buffer.
  QString GetText(int offset, int width) const;

 private:
  // The bytes of a field up to, not including, the first 0x00 or 0xFF.
  QByteArray FieldBytes(int offset, int width) const;

  const FactoryImage& image_;
  const platform::AnsiCodePage& codePage_;
};

// Removes the blanks (spaces only; tabs are not blanks) at the end.
QString RemoveTrailingBlanks(const QString& text);

// Removes the blanks (spaces only) at the end, then cuts before the first 0x00
// character. In that order: blanks in front of a 0x00 character stay.
QString TrimAtNul(const QString& text);

// The entry equal to `text` (case-sensitive), else entry 0, else empty text.
QString FindInList(const QStringList& entries, const QString& text);

}  // namespace zr
