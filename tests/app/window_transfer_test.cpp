// Read, Write and Exit from the window against the simulated radio.
#include <QCheckBox>
#include <QComboBox>
#include <QPlainTextEdit>
#include <tuple>

#include "lang/messages.h"
#include "window_fixture.h"

namespace zr::window::test {
namespace {

// A read fills every control, and a write of what it showed gives the radio its
// own block back, the description's line breaks included.
TEST_F(WindowTransfer, ReadFillsEveryFieldAndAnUntouchedWriteKeepsTheBlock) {
  FactoryImage block = FilledBlock();
  block[0x07] = 0x01;  // a write stores APRS as one bit
  const char description[] = "Antenna\r\nreplaced\nby\rme";
  for (int i = 0; description[i] != '\0'; ++i) block[0xB0 + i] = static_cast<std::uint8_t>(description[i]);
  FrmMain& w = OpenOnRadio(block);
  w.SetText(5, QStringLiteral("KEEP"));
  w.Command1_Click();
  ASSERT_TRUE(WaitIdle());
  EXPECT_EQ(presenter.Texts(), QStringList{lang::ReadCompleteText});
  const std::vector<QCheckBox*> checks{w.Check1, w.Check2, w.Check3, w.Check5, w.Check6, w.Check7, w.Check8};
  const std::vector<Qt::CheckState> states{Qt::Checked, Qt::Checked,   Qt::Unchecked, Qt::Checked,
                                           Qt::Checked, Qt::Unchecked, Qt::Checked};
  for (std::size_t i = 0; i < checks.size(); ++i) EXPECT_EQ(checks[i]->checkState(), states[i]) << i;
  EXPECT_EQ(w.Combo1[0]->currentText(), QStringLiteral("ZR93KW"));
  EXPECT_EQ(w.Combo1[1]->currentIndex(), 5);
  EXPECT_EQ(w.Combo1[3]->currentIndex(), 2);
  const std::vector<std::pair<int, const char*>> texts = {
      {0, "AB12"},     {1, "SN12345678901234"}, {2, "2026/01/02"},  {3, "2026/02/03"}, {5, "KEEP"},   {6, "BATCH-01"},
      {8, "DEALER7"},  {9, "2026/03/04"},       {10, "2026/04/05"}, {11, "SELLER"},    {12, "123"}};
  for (const auto& [index, text] : texts) EXPECT_EQ(w.TextOf(index), QString::fromLatin1(text)) << index;
  EXPECT_EQ(w.State().OperationMode, OperationModes::Idle);
  EXPECT_EQ(Setting(QStringLiteral("CommHandle")), QStringLiteral("0"));
  EXPECT_TRUE(w.ReShowComPortTimer.isActive());
  EXPECT_EQ(static_cast<QPlainTextEdit*>(w.Text1[4])->blockCount(), 4);  // each break shown as one

  w.Command2_Click();
  ASSERT_TRUE(WaitIdle());
  EXPECT_EQ(presenter.Texts(), (QStringList{lang::ReadCompleteText, lang::WriteCompleteText}));
  EXPECT_EQ(RadioBlock(), block);
}

TEST_F(WindowTransfer, ValueAControlCannotTakeLeavesTheEarlierControlsFilled) {
  FactoryImage block = FilledBlock();
  block[0x04] = 7;  // no such work country
  FrmMain& w = OpenOnRadio(block);
  w.Command1_Click();
  ASSERT_TRUE(WaitIdle());
  EXPECT_EQ(presenter.Texts(), QStringList{lang::CannotOpenPortText});
  EXPECT_EQ(w.Combo1[1]->currentIndex(), 5);       // set before the work country
  EXPECT_NE(w.TextOf(0), QStringLiteral("AB12"));  // after it
}

TEST_F(WindowTransfer, SecondReadDuringATransferIsIgnored) {
  FrmMain& w = OpenOnRadio(FilledBlock(), {QStringLiteral("--delay-ms"), QStringLiteral("20")});
  int clicks = 0;
  w.Command1_Click();
  EXPECT_TRUE(w.Link().Busy());
  w.Command1_Click();  // while Timer_Comm is armed
  WhileTransferRuns([&] {
    ++clicks;
    w.Command1_Click();
    w.Command2_Click();
  });
  ASSERT_TRUE(WaitIdle());
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(presenter.Texts(), QStringList{lang::ReadCompleteText});
  EXPECT_EQ(w.TextOf(11), QStringLiteral("SELLER"));
}

TEST_F(WindowTransfer, WriteTakesTheWindowsValues) {
  FactoryImage block = FilledBlock();
  block[0x06] = 0x80;
  FrmMain& w = OpenOnRadio(block);
  w.Combo1[1]->setCurrentIndex(5);  // the radio's band: nothing asked
  w.Check5->setChecked(true);
  w.SetText(11, QStringLiteral("Ann   "));
  w.SetText(12, QString());
  w.SetText(1, QStringLiteral("IGNORED"));
  w.Command2_Click();
  ASSERT_TRUE(WaitIdle());
  EXPECT_EQ(presenter.Texts(), QStringList{lang::WriteCompleteText});
  EXPECT_EQ(w.TextOf(1), QStringLiteral("SN12345678901234"));
  const FactoryImage written = RadioBlock();
  EXPECT_EQ(written[0x06], 0x81);
  EXPECT_EQ(written[0x03], 5);
  EXPECT_EQ(written[0xA0], 'A');
  EXPECT_EQ(written[0xA2], 'n');
  EXPECT_EQ(written[0xA3], 0);
  for (int i = 0x28; i < 0x2C; ++i) EXPECT_EQ(written[i], 0) << i;
  EXPECT_EQ(written[0x30], 'S');
}

// A radio without the three-band entry refuses it, plainly; one with it asks:
// Cancel keeps the radio's band and the list goes back to it, OK writes the new one.
TEST_F(WindowTransfer, ThreeBandEntryRefusedOrAskedAbout) {
  FactoryImage block = FilledBlock();
  block[0x03] = 0;
  const QString asked = QStringLiteral("Frequencys is different. Overwrite?");
  for (const auto& [feature, answer, texts, band] :
       {std::tuple(0x00, MessageButton::None, QStringList{lang::WriteErrorText}, 0),
        std::tuple(0x80, MessageButton::Cancel, QStringList{asked, lang::WriteCompleteText}, 0),
        std::tuple(0x80, MessageButton::Ok, QStringList{asked, lang::WriteCompleteText}, 14)}) {
    SCOPED_TRACE(static_cast<int>(answer));
    radio.Stop();
    block[0x06] = static_cast<std::uint8_t>(feature);
    FrmMain& w = OpenOnRadio(block);
    presenter.shown.clear();
    presenter.answers = {answer};
    w.Combo1[1]->setCurrentIndex(14);
    w.SetText(11, QStringLiteral("NEW"));
    w.Command2_Click();
    ASSERT_TRUE(WaitIdle());
    EXPECT_EQ(presenter.Texts(), texts);
    // The refusal is shown directly, not through ShowMessage, which pauses the focus pull.
    EXPECT_EQ(presenter.shown[0].focusPullRunning, feature == 0x00);
    EXPECT_EQ(presenter.shown[0].style, feature == 0x00 ? MessageStyle::OkOnly : MessageStyle::OkCancelWarning);
    if (feature == 0x00) {
      EXPECT_EQ(RadioBlock(), block);
    } else {
      EXPECT_EQ(RadioBlock()[0x03], band);
      EXPECT_EQ(w.Combo1[1]->currentIndex(), band);
    }
  }
}

TEST_F(WindowTransfer, ExitEndsARunningTransfer) {
  FrmMain& w = OpenOnRadio(FilledBlock(), {QStringLiteral("--delay-ms"), QStringLiteral("30")});
  w.show();
  w.Command1_Click();
  bool closedInside = false;
  WhileTransferRuns([&] {
    closedInside = w.Link().Busy();
    w.Command3_Click();
  });
  ASSERT_TRUE(WaitIdle());
  EXPECT_TRUE(closedInside);
  EXPECT_FALSE(w.isVisible());
  EXPECT_TRUE(presenter.shown.empty());
  EXPECT_EQ(Setting(QStringLiteral("CommHandle")), QStringLiteral("0"));
  EXPECT_FALSE(w.ReShowComPortTimer.isActive());
}

}  // namespace
}  // namespace zr::window::test
