#include "app/window/window_captions.h"

#include "lang/ui_language.h"

namespace zr::window {

const QString& LanguageCaption::Text(lang::UiLanguage uiLanguage) const {
  return uiLanguage == lang::UiLanguage::Chinese ? Chinese : English;
}

const std::array<LanguageCaption, LanguageCaptionCount>& LanguageCaptions() {
  // "&" marks the access key. The serial port label ends in a plain colon in
  // Chinese too, so both languages line up the same way.
  static const std::array<LanguageCaption, LanguageCaptionCount> captions{{
      {QStringLiteral("Command1"), QStringLiteral("&Read"), QStringLiteral("读出(&R)")},
      {QStringLiteral("Command2"), QStringLiteral("&Write"), QStringLiteral("写入(&W)")},
      {QStringLiteral("Command3"), QStringLiteral("E&xit"), QStringLiteral("退出(&X)")},
      {QStringLiteral("Label2"), QStringLiteral("Area Code"), QStringLiteral("销售区号")},
      {QStringLiteral("Label3"), QStringLiteral("Com Port:"), QStringLiteral("串口选择:")},
      {QStringLiteral("Label1(0)"), QStringLiteral("Radio Type"), QStringLiteral("机型")},
      {QStringLiteral("Label1(1)"), QStringLiteral("Frequency"), QStringLiteral("频段")},
      {QStringLiteral("Label1(2)"), QStringLiteral("Serial Number"), QStringLiteral("序列号")},
      {QStringLiteral("Label1(3)"), QStringLiteral("Producted Date"), QStringLiteral("出厂日期")},
      {QStringLiteral("Label1(4)"), QStringLiteral("Maintained Date"), QStringLiteral("维修日期")},
      {QStringLiteral("Label1(5)"), QStringLiteral("Maintained Description"), QStringLiteral("维修原因")},
      {QStringLiteral("Label1(6)"), QStringLiteral("Pak Serial Number"), QStringLiteral("包装序列号")},
      {QStringLiteral("Label1(7)"), QStringLiteral("Manufacture Code"), QStringLiteral("生产批号")},
      {QStringLiteral("Label1(9)"), QStringLiteral("Dealer Code"), QStringLiteral("经销商代码")},
      {QStringLiteral("Label1(10)"), QStringLiteral("Stock Date"), QStringLiteral("入库时间")},
      {QStringLiteral("Label1(11)"), QStringLiteral("Sell Date"), QStringLiteral("销售时间")},
      {QStringLiteral("Label1(12)"), QStringLiteral("Seller"), QStringLiteral("经手人")},
      {QStringLiteral("Label1(13)"), QStringLiteral("Program PassWord"), QStringLiteral("编程密码")},
      {QStringLiteral("Label1(14)"), QStringLiteral("Work Country"), QStringLiteral("工作国家")},
      {QStringLiteral("Frame1"), QStringLiteral("Radio Setting"), QStringLiteral("机器设置")},
      {QStringLiteral("Frame2"), QStringLiteral("Dealer Information"), QStringLiteral("经销商信息")},
      {QStringLiteral("Check1"), QStringLiteral("Factory"), QStringLiteral("工厂模式")},
      {QStringLiteral("Check2"), QStringLiteral("Kill"), QStringLiteral("遥毙")},
      {QStringLiteral("Check3"), QStringLiteral("Stun"), QStringLiteral("遥晕")},
  }};
  return captions;
}

const std::array<FixedCaption, FixedCaptionCount>& FixedCaptions() {
  static const std::array<FixedCaption, FixedCaptionCount> captions{{
      {QStringLiteral("Option1(0)"), QStringLiteral("扫码写入模式")},
      {QStringLiteral("Option1(1)"), QStringLiteral("自动递增模式")},
      {QStringLiteral("Option1(2)"), QStringLiteral("不关联包装")},
      {QStringLiteral("Check5"), QStringLiteral("扩频")},
      {QStringLiteral("Check6"), QStringLiteral("APRS")},
      {QStringLiteral("Check7"), QStringLiteral("Quick Reset")},
      {QStringLiteral("Check8"), QStringLiteral("Turbo Power")},
  }};
  return captions;
}

}  // namespace zr::window
