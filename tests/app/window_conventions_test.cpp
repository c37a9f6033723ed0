// The window as a desktop program: Qt's own texts in the window's language,
// tooltips for what a list cannot show, the wait cursor of a transfer.
#include <gmock/gmock.h>

#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>

#include "app/window/message_presenter.h"
#include "window_fixture.h"

namespace zr::window::test {
namespace {

class WindowConventions : public WindowTransfer {
 protected:
  FrmMainOptions ChineseOptions() {
    FrmMainOptions options = Options();
    options.systemLcid = [] { return lang::Lcid::ChinesePrc; };
    return options;
  }

  // The affirmative and the negative button of a box of `style` as the
  // station shows it, without their keyboard mnemonics.
  QStringList ButtonTexts(MessageStyle style) const {
    const auto box = MakeMessageBox(window.get(), QStringLiteral("?"), style);
    const bool question = style == MessageStyle::YesNo;
    QStringList texts;
    for (QMessageBox::StandardButton button :
         {question ? QMessageBox::Yes : QMessageBox::Ok, question ? QMessageBox::No : QMessageBox::Cancel}) {
      texts << box->button(button)->text().remove(QRegularExpression(QStringLiteral("\\(&.\\)|&")));
    }
    return texts;
  }
};

TEST_F(WindowConventions, MessageBoxButtonsFollowTheWindowsLanguage) {
  Open(ChineseOptions());
  EXPECT_EQ(ButtonTexts(MessageStyle::OkCancelWarning), (QStringList{QStringLiteral("确定"), QStringLiteral("取消")}));
  EXPECT_EQ(ButtonTexts(MessageStyle::YesNo), (QStringList{QStringLiteral("是"), QStringLiteral("否")}));

  // The Chinese window's translation leaves with it.
  window.reset();
  Open();
  EXPECT_EQ(ButtonTexts(MessageStyle::OkCancelWarning), (QStringList{QStringLiteral("OK"), QStringLiteral("Cancel")}));
  EXPECT_EQ(ButtonTexts(MessageStyle::YesNo), (QStringList{QStringLiteral("Yes"), QStringLiteral("No")}));
}

TEST_F(WindowConventions, MissingQtTranslationLeavesEnglishButtonsAndIsSaidOnce) {
  QTemporaryDir empty;
  FrmMainOptions options = ChineseOptions();
  options.qtTranslationsDir = empty.path();
  ::testing::internal::CaptureStderr();
  FrmMain& w = Open(options);
  const QString said = QString::fromStdString(::testing::internal::GetCapturedStderr());

  EXPECT_EQ(said.count(QStringLiteral("qtbase_zh_CN.qm")), 1) << said.toStdString();
  EXPECT_EQ(ButtonTexts(MessageStyle::OkCancelWarning), (QStringList{QStringLiteral("OK"), QStringLiteral("Cancel")}));
  EXPECT_EQ(w.State().UiLanguage, lang::UiLanguage::Chinese);
}

}  // namespace
}  // namespace zr::window::test
