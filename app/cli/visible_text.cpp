#include "app/cli/visible_text.h"

#include "platform/text_format.h"

namespace zr::cli {

QString VisibleText(QStringView text) {
  QString visible;
  visible.reserve(text.size());
  for (const QChar c : text) {
    const char16_t code = c.unicode();
    if (code >= 0x20 && (code < 0x7F || code > 0x9F)) {
      visible += c;
    } else if (code == '\r') {
      visible += QLatin1String("\\r");
    } else if (code == '\n') {
      visible += QLatin1String("\\n");
    } else if (code == '\t') {
      visible += QLatin1String("\\t");
    } else {
      visible += QLatin1String("\\x") + Hex(code);
    }
  }
  return visible;
}

}  // namespace zr::cli
