#include "lang/messages.h"

#include "lang/ui_language.h"
#include "platform/contract.h"

namespace zr::lang {

BandChangeMessageTable BandChangeMessages() {
  return {QString(), QStringLiteral("Frequencys is different. Overwrite?"),
          QStringLiteral("频段类型不同。是否覆盖？")};
}

QString BandChangeMessageOf(UiLanguage uiLanguage) {
  const BandChangeMessageTable messages = BandChangeMessages();
  const auto entry = static_cast<std::size_t>(uiLanguage);
  platform::Expects(entry > 0 && entry < messages.size(), "the band change question in an interface language");
  return messages[entry];
}

// The two tests below differ on purpose (== English versus == Chinese); they
// agree for every value the language takes once chosen.
QString ModelTypeErrorText(UiLanguage uiLanguage) {
  return uiLanguage == UiLanguage::English ? QStringLiteral("Model Type Error!") : QStringLiteral("机型错误!");
}

QString WaitingNextText(UiLanguage uiLanguage) {
  return uiLanguage == UiLanguage::Chinese ? QStringLiteral("请换下一台机器...") : QStringLiteral("Waitting next...");
}

}  // namespace zr::lang
