#include "lang/captions.h"

#include <gtest/gtest.h>

#include "lang/messages.h"
#include "lang/ui_language.h"

namespace zr::lang {
namespace {

TEST(LanguageCaptions, EveryTextInBothLanguages) {
  // Pinned in window order; a changed character here is a visible fault.
  const std::array<std::array<const char*, 3>, LanguageCaptionCount> expected{{
      {"Command1", "&Read", "读出(&R)"},           {"Command2", "&Write", "写入(&W)"},
      {"Command3", "E&xit", "退出(&X)"},           {"Label2", "Area Code", "销售区号"},
      {"Label3", "Com Port:", "串口选择:"},        {"Label1(0)", "Radio Type", "机型"},
      {"Label1(1)", "Frequency", "频段"},          {"Label1(2)", "Serial Number", "序列号"},
      {"Label1(3)", "Producted Date", "出厂日期"}, {"Label1(4)", "Maintained Date", "维修日期"},
      {"Label1(5)", "Maintained Description", "维修原因"},
      {"Label1(6)", "Pak Serial Number", "包装序列号"},
      {"Label1(7)", "Manufacture Code", "生产批号"}, {"Label1(9)", "Dealer Code", "经销商代码"},
      {"Label1(10)", "Stock Date", "入库时间"},     {"Label1(11)", "Sell Date", "销售时间"},
      {"Label1(12)", "Seller", "经手人"},           {"Label1(13)", "Program PassWord", "编程密码"},
      {"Label1(14)", "Work Country", "工作国家"},   {"Frame1", "Radio Setting", "机器设置"},
      {"Frame2", "Dealer Information", "经销商信息"}, {"Check1", "Factory", "工厂模式"},
      {"Check2", "Kill", "遥毙"},                   {"Check3", "Stun", "遥晕"},
  }};
  for (std::size_t i = 0; i < expected.size(); ++i) {
    const auto& [control, english, chinese] = expected[i];
    EXPECT_EQ(LanguageCaptions()[i].Control, QString::fromUtf8(control));
    EXPECT_EQ(LanguageCaptions()[i].Text(UiLanguage::English), QString::fromUtf8(english)) << control;
    EXPECT_EQ(LanguageCaptions()[i].Text(UiLanguage::Chinese), QString::fromUtf8(chinese)) << control;
  }
}

TEST(FixedCaptions, SameInBothLanguages) {
  const std::array<std::array<const char*, 2>, FixedCaptionCount> expected{{
      {"Option1(0)", "扫码写入模式"}, {"Option1(1)", "自动递增模式"}, {"Option1(2)", "不关联包装"},
      {"Check5", "扩频"}, {"Check6", "APRS"}, {"Check7", "Quick Reset"}, {"Check8", "Turbo Power"},
  }};
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(FixedCaptions()[i].Control, QString::fromUtf8(expected[i][0]));
    EXPECT_EQ(FixedCaptions()[i].Text, QString::fromUtf8(expected[i][1]));
  }
  EXPECT_EQ(WindowCaption, QStringLiteral("ZR93KW_SetFactory"));
}

TEST(RunTimeTexts, ValueThatIsNeitherLanguageLeansOppositeWays) {
  EXPECT_EQ(ModelTypeErrorText(UiLanguage::Unset), QString::fromUtf8("机型错误!"));
  EXPECT_EQ(WaitingNextText(UiLanguage::Unset), QStringLiteral("Waitting next..."));
}

}  // namespace
}  // namespace zr::lang
