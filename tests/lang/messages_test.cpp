#include "lang/messages.h"

#include <gtest/gtest.h>

namespace zr::lang {
namespace {

TEST(RunTimeTexts, ValueThatIsNeitherLanguageLeansOppositeWays) {
  EXPECT_EQ(ModelTypeErrorText(UiLanguage::Unset), QString::fromUtf8("机型错误!"));
  EXPECT_EQ(WaitingNextText(UiLanguage::Unset), QStringLiteral("Waitting next..."));
}

}  // namespace
}  // namespace zr::lang
