#include "lang/captions.h"

#include <gtest/gtest.h>

#include <set>

#include "lang/messages.h"
#include "lang/status_texts.h"

namespace zr::lang {
namespace {

// The captions themselves live in one table; the window's tests put each on its control.
TEST(Captions, EachControlOnceWithTheSameAccessKeyInBothLanguages) {
  std::set<QString> controls;
  for (const LanguageCaption& caption : LanguageCaptions()) {
    SCOPED_TRACE(caption.Control.toStdString());
    EXPECT_TRUE(controls.insert(caption.Control).second);
    EXPECT_FALSE(caption.English.isEmpty() || caption.Chinese.isEmpty());
    const qsizetype key = caption.English.indexOf(QLatin1Char('&'));
    EXPECT_EQ(caption.Chinese.contains(QLatin1Char('&')), key >= 0);
    const QString chineseKey = key < 0 ? QString() : QStringLiteral("(&%1)").arg(caption.English[key + 1].toUpper());
    EXPECT_TRUE(caption.Chinese.contains(chineseKey));
  }
  for (const FixedCaption& caption : FixedCaptions()) EXPECT_TRUE(controls.insert(caption.Control).second);
}

TEST(RunTimeTexts, ValueThatIsNeitherLanguageLeansOppositeWays) {
  EXPECT_EQ(ModelTypeErrorText(UiLanguage::Unset), QString::fromUtf8("机型错误!"));
  EXPECT_EQ(WaitingNextText(UiLanguage::Unset), QStringLiteral("Waitting next..."));
}

// A translation that lost a placeholder would show "%2" to the operator.
TEST(StatusTexts, EveryWordInBothLanguagesWithTheSamePlaceholders) {
  for (const StatusTextPair& text : StatusTexts()) {
    SCOPED_TRACE(text.English.toStdString());
    EXPECT_FALSE(text.English.isEmpty() || text.Chinese.isEmpty());
    for (const char* mark : {"%1", "%2", "%3"}) {
      EXPECT_EQ(text.English.contains(QLatin1String(mark)), text.Chinese.contains(QLatin1String(mark)));
    }
  }
  EXPECT_EQ(FrameProgressText(UiLanguage::English, 33, 32, 1), QStringLiteral("frame 33 of 33, 1 resend"));
  EXPECT_EQ(FrameProgressText(UiLanguage::Chinese, 3, 32, 2), QStringLiteral("第 3 帧，共 32 帧，重发 2 次"));
}

}  // namespace
}  // namespace zr::lang
