#include "platform/ansi_code_page.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <stdexcept>
#include <utility>

#include "platform/system_locale.h"

namespace zr::platform {

AnsiCodePage::AnsiCodePage(QByteArray name) : name_(std::move(name)) {
  if (!QStringEncoder(name_.constData()).isValid()) {
    throw std::invalid_argument("unknown code page: " + name_.toStdString());
  }
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

QByteArray AnsiCodePage::Encode(const QString& text) const {
  QStringEncoder encoder(name_.constData());
  return encoder.encode(text);
}

QString AnsiCodePage::Decode(QByteArrayView bytes) const {
  QStringDecoder decoder(name_.constData());
  return decoder.decode(bytes);
}

}  // namespace zr::platform
