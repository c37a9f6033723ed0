#include "lang/messages.h"

#include "lang/ui_language.h"

namespace zr::lang {

BandChangeMessageTable BandChangeMessages() {
  return {QString(), QStringLiteral("Frequencys is different. Overwrite?"),
          QStringLiteral("频段类型不同。是否覆盖？")};
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
