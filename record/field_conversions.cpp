#include "record/field_conversions.h"

#include <algorithm>

#include "record/runtime_error.h"

namespace zr {

namespace {

bool EndsField(std::uint8_t byte) { return byte == 0x00 || byte == 0xFF; }

// GetText converts a fixed buffer: 16 bytes for the short fields, 80 for the
// description. Its zero tail is what keeps blanks in an unfilled field.
int TextBufferLength(int width) { return width <= 16 ? 16 : width; }

}  // namespace

void FieldWriter::PutChars(int offset, const QString& text, int width) {
  for (int i = 0; i < width; ++i) {
    std::uint8_t code = 0x00;
    if (i < text.size()) {
      const QByteArray bytes = codePage_.Encode(QString(text[i]));
      if (bytes.size() != 1) {
        throw RuntimeError("character does not fit in one byte: U+" +
                           QString::number(text[i].unicode(), 16).toUpper().toStdString());
      }
      code = static_cast<std::uint8_t>(bytes[0]);
    }
    image_[offset + i] = code;
  }
}

void FieldWriter::PutText(int offset, const QString& text, int width) {
  const QByteArray bytes = codePage_.Encode(text);
  for (int i = 0; i < width; ++i) {
    image_[offset + i] = i < bytes.size() ? static_cast<std::uint8_t>(bytes[i]) : std::uint8_t{0x00};
  }
}

QByteArray FieldReader::FieldBytes(int offset, int width) const {
  QByteArray bytes;
  for (int i = 0; i < width; ++i) {
    const std::uint8_t byte = image_[offset + i];
    if (EndsField(byte)) break;
    bytes.append(static_cast<char>(byte));
  }
  return bytes;
}

QString FieldReader::GetChars(int offset, int width) const {
  QString text;
  for (char byte : FieldBytes(offset, width)) text += codePage_.Decode(QByteArrayView(&byte, 1));
  return text;
}

QString FieldReader::GetText(int offset, int width) const {
  QByteArray buffer(TextBufferLength(width), '\0');
  const QByteArray field = FieldBytes(offset, width);
  std::copy(field.begin(), field.end(), buffer.begin());
  return TrimAtNul(codePage_.Decode(buffer));
}

QString RemoveTrailingBlanks(const QString& text) {
  qsizetype end = text.size();
  while (end > 0 && text[end - 1] == QLatin1Char(' ')) --end;
  return text.left(end);
}

QString TrimAtNul(const QString& text) {
  QString trimmed = RemoveTrailingBlanks(text);
  const qsizetype nul = trimmed.indexOf(QChar(0));
  if (nul >= 0) trimmed.truncate(nul);
  return trimmed;
}

QString FindInList(const QStringList& entries, const QString& text) {
  if (entries.isEmpty()) return QString();
  for (const QString& entry : entries) {
    if (entry == text) return entry;
  }
  return entries.front();
}

}  // namespace zr
