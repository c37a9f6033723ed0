#include "lang/captions.h"

#include <gtest/gtest.h>

#include <set>

#include "lang/messages.h"

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

}  // namespace
}  // namespace zr::lang
