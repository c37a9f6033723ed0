#include "lang/messages.h"

#include <gtest/gtest.h>

#include "lang/ui_language.h"

namespace zr::lang {
namespace {

TEST(BandChangeMessages, IndexedByUiLanguage) {
  const BandChangeMessageTable table = BandChangeMessages();
  EXPECT_TRUE(table[0].isEmpty());
  EXPECT_EQ(table[UiLanguageEnglish], QStringLiteral("Frequencys is different. Overwrite?"));
  EXPECT_EQ(table[UiLanguageChinese], QString::fromUtf8("频段类型不同。是否覆盖？"));
  EXPECT_EQ(table[UiLanguageChinese].back(), QChar(u'\uFF1F'));  // full-width question mark
}

TEST(RunTimeTexts, FollowTheLanguage) {
  EXPECT_EQ(ModelTypeErrorText(UiLanguageEnglish), QStringLiteral("Model Type Error!"));
  EXPECT_EQ(ModelTypeErrorText(UiLanguageChinese), QString::fromUtf8("机型错误!"));
  EXPECT_EQ(WaitingNextText(UiLanguageEnglish), QStringLiteral("Waitting next..."));
  EXPECT_EQ(WaitingNextText(UiLanguageChinese), QString::fromUtf8("请换下一台机器..."));
  // The two tests lean opposite ways for a value that is neither language.
  EXPECT_EQ(ModelTypeErrorText(0), QString::fromUtf8("机型错误!"));
  EXPECT_EQ(WaitingNextText(0), QStringLiteral("Waitting next..."));
}

TEST(OneLanguageTexts, ShownAsTheyAre) {
  EXPECT_EQ(ReadCompleteText, QStringLiteral("Read Complete!"));
  EXPECT_EQ(WriteCompleteText, QStringLiteral("Write Complete!"));
  EXPECT_EQ(CommunicationFailedText, QStringLiteral("Communication failed!"));
  EXPECT_EQ(CannotOpenPortText, QStringLiteral("Cannot Open Communication Port."));
  EXPECT_EQ(WriteErrorText, QStringLiteral("write error"));
  EXPECT_EQ(UnknownOperatingSystemText, QString::fromUtf8("未知操作系统"));
  EXPECT_EQ(AssociationFailedRetryText, QString::fromUtf8("在数据库中建立关联失败,是否重建关联？"));
  EXPECT_EQ(AssociationFailedRetryText.at(11), QChar(u','));  // ASCII comma
}

}  // namespace
}  // namespace zr::lang
