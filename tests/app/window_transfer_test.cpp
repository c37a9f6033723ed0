// Read, Write and Exit from the window against the simulated radio.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>
#include <optional>
#include <tuple>

#include "app/window/outcome_status.h"
#include "app/window/window_captions.h"
#include "lang/messages.h"
#include "tests/db/test_database.h"
#include "tests/support/showable_block.h"
#include "window_fixture.h"

namespace zr::window::test {
namespace {

// A write gives the radio back what the read showed, the description's line
// breaks included, with the operator's changes and never the serial number.
TEST_F(WindowTransfer, ReadFillsEveryFieldAndAWriteTakesOnlyTheOperatorsChanges) {
  FactoryImage block = FilledBlock();
  block[0x07] = 0x01;  // a write stores APRS as one bit
  const char description[] = "Antenna\r\nreplaced\nby\rme";
  for (int i = 0; description[i] != '\0'; ++i) block[0xB0 + i] = static_cast<std::uint8_t>(description[i]);
  FrmMain& w = OpenOnRadio(block);
  w.SetText(5, QStringLiteral("KEEP"));
  w.Command1_Click();
  ASSERT_TRUE(WaitIdle());
  EXPECT_EQ(presenter.Texts(), QStringList{lang::ReadCompleteText});
  const std::vector<QCheckBox*> checks{w.Check[1], w.Check[2], w.Check[3], w.Check[5], w.Check[6], w.Check[7], w.Check[8]};
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
  EXPECT_TRUE(w.ReShowComPortTimer.isActive());
  EXPECT_EQ(static_cast<QPlainTextEdit*>(w.Text1[4])->blockCount(), 4);  // each break shown as one

  w.Check[5]->setChecked(false);
  w.SetText(11, QStringLiteral("Ann   "));
  w.SetText(12, QString());
  w.SetText(1, QStringLiteral("IGNORED"));
  w.Command2_Click();
  ASSERT_TRUE(WaitIdle());
  EXPECT_EQ(presenter.Texts(), (QStringList{lang::ReadCompleteText, lang::WriteCompleteText}));
  EXPECT_EQ(w.TextOf(1), QStringLiteral("SN12345678901234"));
  block[0x06] = 0x80;
  for (const int i : {0x28, 0x29, 0x2A, 0xA3, 0xA4, 0xA5}) block[i] = 0;
  block[0xA0] = 'A';
  block[0xA1] = 'n';
  block[0xA2] = 'n';
  EXPECT_EQ(RadioBlock(), block);
}

// What the read showed and nobody changed goes back as the radio held it,
// byte for byte, in whichever code page the window runs.
TEST_F(WindowTransfer, AWriteThatChangesNothingLeavesTheBlockAsItWas) {
  for (const char* locale : {"en_US", "zh_CN", "zh_TW", "ja_JP"}) {
    window.reset();
    radio.Stop();
    const FactoryImage block = zr::test::ShowableBlock(7);
    FrmMainOptions options = Options();
    options.localeName = QString::fromLatin1(locale);
    FrmMain& w = OpenOnRadio(block, {}, std::move(options));
    w.Command1_Click();
    ASSERT_TRUE(WaitIdle());
    w.Command2_Click();
    ASSERT_TRUE(WaitIdle());
    EXPECT_EQ(presenter.Texts().last(), lang::WriteCompleteText) << locale;
    EXPECT_EQ(RadioBlock(), block) << locale;
  }
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

// The wait cursor shows from the click until the outcome, whose box has the
// normal one; clicks while the transfer runs change neither it nor the read.
TEST_F(WindowTransfer, ClicksDuringATransferAreIgnoredUnderTheWaitCursor) {
  FrmMain& w = OpenOnRadio(FilledBlock(), {QStringLiteral("--delay-ms"), QStringLiteral("20")});
  w.Command1_Click();
  w.Command1_Click();  // while Timer_Comm is armed
  w.Command2_Click();
  EXPECT_EQ(OverrideCursor(), Qt::WaitCursor);
  std::optional<Qt::CursorShape> whileReading;
  WhileTransferRuns([&] {
    w.Command1_Click();
    w.Command2_Click();
    whileReading = OverrideCursor();
  });
  ASSERT_TRUE(WaitIdle());
  QCoreApplication::processEvents();
  EXPECT_EQ(whileReading, Qt::WaitCursor);
  ASSERT_EQ(presenter.Texts(), QStringList{lang::ReadCompleteText});
  EXPECT_EQ(presenter.shown[0].cursor, std::nullopt);
  EXPECT_EQ(OverrideCursor(), std::nullopt);
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
    ASSERT_EQ(presenter.Texts(), texts);
    // The refusal is shown directly, not through ShowMessage, which pauses the focus pull.
    EXPECT_EQ(presenter.shown[0].focusPullRunning, feature == 0x00);
    EXPECT_EQ(presenter.shown[0].style, feature == 0x00 ? MessageStyle::OkOnly : MessageStyle::OkCancelWarning);
    // Each box waits under the normal cursor; the write goes on under the wait cursor.
    for (const auto& box : presenter.shown) EXPECT_EQ(box.cursor, std::nullopt) << box.text.toStdString();
    EXPECT_EQ(presenter.shown[0].cursorAfter, Qt::WaitCursor);
    EXPECT_EQ(RadioBlock()[0x03], band);  // a refused write sends no line: the link's tests
    if (feature != 0x00) {
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
  EXPECT_TRUE(presenter.shown.empty());
  EXPECT_EQ(Setting(QStringLiteral("CommHandle")), QStringLiteral("0"));
  EXPECT_FALSE(w.ReShowComPortTimer.isActive());
  EXPECT_EQ(OverrideCursor(), std::nullopt);
}

// Resends show it is no hang; the box keeps its fixed text, the line says why
// in the window's language, and that the log failed (not in the title).
TEST_F(WindowTransfer, StatusLineShowsTheFramesWhileATransferRunsAndThenWhyItFailed) {
  FrmMainOptions options = Options();
  options.systemLcid = [] { return lang::Lcid::ChinesePrc; };
  options.records.logPath = dir.path();  // a folder takes no entries
  FrmMain& w = OpenOnRadio(
      FilledBlock(), QStringList{"--bad-checksum", "0x30:3", "--delay-ms", "20"}, std::move(options));
  QStringList seen;
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, [&] { seen << w.Status->Text(); });
  watch.start(5);
  w.Command1_Click();
  ASSERT_TRUE(WaitIdle());
  EXPECT_TRUE(seen.contains(QStringLiteral("第 5 帧，共 18 帧，重发 2 次")));
  EXPECT_EQ(presenter.Texts(), QStringList{lang::CommunicationFailedText});
  EXPECT_TRUE(w.Status->Text().contains(
      QRegularExpression(QStringLiteral("^通信失败: read of line 0x30: the reply failed its test: .*\n日志未写入: "))));
  EXPECT_EQ(w.windowTitle(), window::WindowCaption);
}

TEST(OutcomeStatus, OnlyAPortThisUserMayNotOpenAsksAboutTheDialoutGroup) {
  TransferOutcome outcome{TransferEnd::PortNotOpened, QStringLiteral("/dev/ttyUSB0: Permission denied")};
  outcome.portOpenError = PortOpenError::PermissionDenied;
  EXPECT_EQ(OutcomeStatus(outcome, lang::UiLanguage::English),
            QStringLiteral("port: /dev/ttyUSB0: Permission denied (is the user in the dialout group?)"));
  outcome.portOpenError = PortOpenError::Other;
  EXPECT_EQ(OutcomeStatus(outcome, lang::UiLanguage::English), QStringLiteral("port: /dev/ttyUSB0: Permission denied"));
}

// Scan-code write mode end to end, with the package database on the test
// server; the link's tests cover the questions and the failures.
TEST_F(WindowTransfer, ScannedCodeIsRecordedAgainstTheWrittenRadio) {
  const auto server = db::TestServer();
  if (!server) {
    GTEST_SKIP() << "no test database server: ZR_TEST_DB_SERVER is not set (scripts/test starts one and sets it)";
  }
  const QString serial = QStringLiteral("SN12345678901234");  // FilledBlock's
  db::TestTable table(*server);
  table.Reset({{serial, std::nullopt, std::nullopt}});
  FrmMainOptions options = Options();
  options.database = *server;
  FrmMain& w = OpenOnRadio(FilledBlock(), {}, std::move(options));
  w.Combo1[1]->setCurrentIndex(5);  // the radio's own band: no question
  w.Option1[0]->click();
  // What a barcode scanner does: the code's characters, then Enter.
  QWidget* box = w.Text1[BoxIndex(Field::PackageCode)];
  QTest::keyClicks(box, QStringLiteral("BOX-0001"));
  QTest::keyClick(box, Qt::Key_Return);
  ASSERT_TRUE(WaitIdle());

  EXPECT_TRUE(presenter.shown.empty()) << presenter.Texts().join(QLatin1Char('|')).toStdString();
  const QList<db::AtCodeRow> rows = table.Rows();
  ASSERT_EQ(rows.size(), 1);
  EXPECT_EQ(rows[0].serialNumber, serial);
  EXPECT_EQ(rows[0].packageCode, QStringLiteral("BOX-0001"));
  EXPECT_EQ(w.Label7->text(), QStringLiteral("Waitting next..."));
  EXPECT_TRUE(w.TextOf(BoxIndex(Field::PackageCode)).isEmpty());
  EXPECT_EQ(RadioBlock()[0x03], 5);  // the radio was written
}

}  // namespace
}  // namespace zr::window::test
