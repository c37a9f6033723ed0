// The window as a desktop program: Qt's own texts in the window's language,
// tooltips for what a list cannot show, the wait cursor of a transfer.
#include <QComboBox>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>

#include "app/window/message_presenter.h"
#include "lang/messages.h"
#include "record/factory_tables.h"
#include "window_fixture.h"

namespace zr::window::test {
namespace {

using PortDetailsList = std::vector<std::pair<QString, platform::SerialPortDetails>>;

class WindowConventions : public WindowTransfer {
 protected:
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

// Where Qt has no translation the buttons stay English, and the operator hears why once.
TEST_F(WindowConventions, MessageBoxButtonsFollowTheWindowsLanguageWhereQtIsTranslated) {
  FrmMainOptions options = Options();
  options.systemLcid = [] { return lang::Lcid::ChinesePrc; };
  Open(options);
  EXPECT_EQ(ButtonTexts(MessageStyle::OkCancelWarning), (QStringList{QStringLiteral("确定"), QStringLiteral("取消")}));
  EXPECT_EQ(ButtonTexts(MessageStyle::YesNo), (QStringList{QStringLiteral("是"), QStringLiteral("否")}));
  window.reset();  // the Chinese window's translation leaves with it
  Open();
  const QStringList english{QStringLiteral("OK"), QStringLiteral("Cancel")};
  EXPECT_EQ(ButtonTexts(MessageStyle::OkCancelWarning), english);

  window.reset();
  QTemporaryDir empty;
  options.qtTranslationsDir = empty.path();
  ::testing::internal::CaptureStderr();
  FrmMain& w = Open(options);
  const QString said = QString::fromStdString(::testing::internal::GetCapturedStderr());
  EXPECT_EQ(said.count(QStringLiteral("qtbase_zh_CN.qm")), 1) << said.toStdString();
  EXPECT_EQ(ButtonTexts(MessageStyle::OkCancelWarning), english);
  EXPECT_EQ(w.State().UiLanguage, lang::UiLanguage::Chinese);
}

TEST_F(WindowConventions, PortEntriesShowTheirDeviceAskedOfTheSystemOnlyWhenTheListChanged) {
  ports = {{QStringLiteral("COM3"), QStringLiteral("/dev/ttyUSB0"), 3}};
  int asked = 0;
  FrmMainOptions options = Options();
  options.portDetails = [&asked] {
    ++asked;
    return PortDetailsList{{QStringLiteral("/dev/ttyUSB0"),
                            {QStringLiteral("USB-Serial Controller"), QStringLiteral("Cable Works"),
                             QStringLiteral("067b:2303"), QStringLiteral("A50285BI")}}};
  };
  FrmMain& w = Open(options);
  EXPECT_EQ(
      w.Combo2->itemData(0, Qt::ToolTipRole).toString(),
      QStringLiteral("/dev/ttyUSB0\nUSB-Serial Controller\nCable Works\nUSB ID 067b:2303\nSerial number A50285BI"));
  w.ReShowComPortTimer_Timer();
  w.ReShowComPortTimer_Timer();
  EXPECT_EQ(asked, 1);

  // The same name on another device is a change; an unknown device shows its path alone.
  ports[0].device = QStringLiteral("/dev/ttyS3");
  w.ReShowComPortTimer_Timer();
  EXPECT_EQ(asked, 2);
  EXPECT_EQ(w.Combo2->itemData(0, Qt::ToolTipRole).toString(), QStringLiteral("/dev/ttyS3"));
}

TEST_F(WindowConventions, CutListEntryIsShownWholeInTheTooltipOnly) {
  FrmMain& w = Open();
  w.show();
  QComboBox* bands = w.Combo1[1];
  const int longest = 10;  // "UHF{RX(400-480MHz)TX(430-450MHz)} VHF{RX(136-174MHz)TX(144-148 MHz)}"
  bands->setCurrentIndex(longest);
  EXPECT_EQ(bands->toolTip(), BandDescriptions()[longest]);

  bands->setCurrentIndex(0);
  EXPECT_EQ(bands->toolTip(), QString());

  // A narrower box cuts the short entry as well.
  bands->resize(bands->width() / 4, bands->height());
  EXPECT_EQ(bands->toolTip(), BandDescriptions()[0]);
}

// A click that starts no transfer gives the cursor back.
TEST_F(WindowConventions, TransferThatNeverRunsLeavesTheNormalCursor) {
  // A port that does not open: its box already has the normal cursor.
  QTemporaryDir noPorts;
  qputenv("ZR93KW_PORT_DIR", noPorts.path().toLocal8Bit());
  ports = Ports({3});
  Open().Command1_Click();
  ASSERT_EQ(presenter.Texts(), QStringList{lang::CannotOpenPortText});
  EXPECT_EQ(presenter.shown[0].cursor, std::nullopt);
  EXPECT_EQ(OverrideCursor(), std::nullopt);

  // The window closed before the transfer began: it never will, and has no outcome.
  FrmMain& starting = OpenOnRadio(FilledBlock());
  starting.show();
  starting.Command1_Click();
  ASSERT_TRUE(starting.Link().StartPending());
  starting.close();
  EXPECT_EQ(OverrideCursor(), std::nullopt);
}

}  // namespace
}  // namespace zr::window::test
