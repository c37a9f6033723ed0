// The window as a desktop program: Qt's own texts in the window's language,
// tooltips for what a list cannot show, the wait cursor of a transfer.
#include <gmock/gmock.h>

#include <QApplication>
#include <QComboBox>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>
#include <optional>

#include "app/window/message_presenter.h"
#include "lang/messages.h"
#include "record/factory_tables.h"
#include "window_fixture.h"

namespace zr::window::test {
namespace {

using PortDetailsList = std::vector<std::pair<QString, platform::SerialPortDetails>>;

std::optional<Qt::CursorShape> OverrideCursor() {
  const QCursor* cursor = QApplication::overrideCursor();
  return cursor != nullptr ? std::optional(cursor->shape()) : std::nullopt;
}

// The cursor under each box as it opens, and once the transfer goes on after it.
class CursorPresenter : public ScriptedPresenter {
 public:
  MessageButton Present(QWidget* parent, const QString& text, MessageStyle style) override {
    atBox.push_back(OverrideCursor());
    const std::size_t box = atBox.size() - 1;
    afterBox.resize(atBox.size());
    QTimer::singleShot(0, &alive_, [this, box] { afterBox[box] = OverrideCursor(); });
    return ScriptedPresenter::Present(parent, text, style);
  }

  std::vector<std::optional<Qt::CursorShape>> atBox;
  std::vector<std::optional<Qt::CursorShape>> afterBox;

 private:
  QObject alive_;  // no look after the box outlives the test
};

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

  CursorPresenter cursors;
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
  EXPECT_EQ(w.Combo2->itemText(0), QStringLiteral("COM3"));
  EXPECT_EQ(
      w.Combo2->itemData(0, Qt::ToolTipRole).toString(),
      QStringLiteral("/dev/ttyUSB0\nUSB-Serial Controller\nCable Works\nUSB ID 067b:2303\nSerial number A50285BI"));
  w.ReShowComPortTimer_Timer();
  w.ReShowComPortTimer_Timer();
  EXPECT_EQ(asked, 1);

  // The same name on another device is a change; a device the system tells
  // nothing about shows its path alone.
  ports[0].device = QStringLiteral("/dev/ttyS3");
  w.ReShowComPortTimer_Timer();
  EXPECT_EQ(asked, 2);
  EXPECT_EQ(w.Combo2->itemText(0), QStringLiteral("COM3"));
  EXPECT_EQ(w.Combo2->itemData(0, Qt::ToolTipRole).toString(), QStringLiteral("/dev/ttyS3"));
}

TEST_F(WindowConventions, CutListEntryIsShownWholeInTheTooltipOnly) {
  FrmMain& w = Open();
  w.show();
  QComboBox* bands = w.Combo1[1];
  const int longest = 10;  // "UHF{RX(400-480MHz)TX(430-450MHz)} VHF{RX(136-174MHz)TX(144-148 MHz)}"
  bands->setCurrentIndex(longest);
  EXPECT_EQ(bands->toolTip(), BandDescriptions()[longest]);
  EXPECT_EQ(bands->itemText(longest), BandDescriptions()[longest]);

  bands->setCurrentIndex(0);
  EXPECT_EQ(bands->toolTip(), QString());

  // A narrower box cuts the short entry as well.
  bands->resize(bands->width() / 4, bands->height());
  EXPECT_EQ(bands->toolTip(), BandDescriptions()[0]);
}

TEST_F(WindowConventions, ReadShowsTheWaitCursorUntilItsOutcomeAndItsMessageTheNormalOne) {
  FrmMainOptions options = Options();
  options.presenter = &cursors;
  FrmMain& w = OpenOnRadio(FilledBlock(), {QStringLiteral("--delay-ms"), QStringLiteral("20")}, options);
  ASSERT_EQ(OverrideCursor(), std::nullopt);

  w.Command1_Click();
  EXPECT_EQ(OverrideCursor(), Qt::WaitCursor);
  // Clicks that the running transfer ignores leave its cursor alone.
  w.Command1_Click();
  w.Command2_Click();
  EXPECT_EQ(OverrideCursor(), Qt::WaitCursor);
  std::optional<Qt::CursorShape> whileReading;
  WhileTransferRuns([&] { whileReading = OverrideCursor(); });
  ASSERT_TRUE(WaitIdle());
  QCoreApplication::processEvents();

  EXPECT_EQ(whileReading, Qt::WaitCursor);
  EXPECT_EQ(cursors.Texts(), QStringList{lang::ReadCompleteText});
  EXPECT_EQ(cursors.atBox, (std::vector<std::optional<Qt::CursorShape>>{std::nullopt}));
  EXPECT_EQ(OverrideCursor(), std::nullopt);
}

TEST_F(WindowConventions, QuestionDuringAWriteHasTheNormalCursorAndTheWriteGoesOnBusy) {
  FactoryImage block = FilledBlock();
  block[0x03] = 0;
  block[0x06] = 0x80;  // three-band capable
  FrmMainOptions options = Options();
  options.presenter = &cursors;
  FrmMain& w = OpenOnRadio(block, {}, options);
  w.Combo1[1]->setCurrentIndex(14);
  cursors.answers = {MessageButton::Ok};
  w.Command2_Click();
  ASSERT_TRUE(WaitIdle());
  QCoreApplication::processEvents();

  ASSERT_EQ(cursors.Texts(),
            (QStringList{QStringLiteral("Frequencys is different. Overwrite?"), lang::WriteCompleteText}));
  EXPECT_EQ(cursors.atBox, (std::vector<std::optional<Qt::CursorShape>>{std::nullopt, std::nullopt}));
  EXPECT_EQ(cursors.afterBox, (std::vector<std::optional<Qt::CursorShape>>{Qt::WaitCursor, std::nullopt}));
  EXPECT_EQ(OverrideCursor(), std::nullopt);
}

TEST_F(WindowConventions, EveryOtherEndOfATransferRestoresTheNormalCursor) {
  // A port that does not open: its box already has the normal cursor.
  QTemporaryDir noPorts;
  qputenv("ZR93KW_PORT_DIR", noPorts.path().toLocal8Bit());
  ports = Ports({3});
  FrmMainOptions options = Options();
  options.presenter = &cursors;
  Open(options).Command1_Click();
  EXPECT_EQ(cursors.Texts(), QStringList{lang::CannotOpenPortText});
  EXPECT_EQ(cursors.atBox, (std::vector<std::optional<Qt::CursorShape>>{std::nullopt}));
  EXPECT_EQ(OverrideCursor(), std::nullopt);

  // The window closed while the radio talks.
  FrmMain& talking = OpenOnRadio(FilledBlock(), {QStringLiteral("--delay-ms"), QStringLiteral("30")});
  talking.show();
  talking.Command1_Click();
  WhileTransferRuns([&talking] { talking.close(); });
  ASSERT_TRUE(WaitIdle());
  EXPECT_EQ(OverrideCursor(), std::nullopt);

  // The window closed before the transfer began: it never will, and has no outcome.
  options = Options();
  options.listPorts = EnumComPortEntries;
  FrmMain& starting = Open(options);
  starting.show();
  starting.Command1_Click();
  ASSERT_TRUE(starting.Link().StartPending());
  starting.close();
  EXPECT_EQ(OverrideCursor(), std::nullopt);
}

}  // namespace
}  // namespace zr::window::test
