// The window's start-up, shutdown, port list refresh and captions.
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "lang/captions.h"
#include "lang/label_placement.h"
#include "lang/messages.h"
#include "window_fixture.h"

namespace zr::window::test {
namespace {

using WindowStartup = WindowTest;

TEST_F(WindowStartup, FirstStartSelectsTheFirstPortAndStoresIt) {
  ports = Ports({3, 5});
  FrmMain& w = Open();
  EXPECT_EQ(w.Combo2->count(), 2);
  EXPECT_EQ(w.Combo2->currentText(), QStringLiteral("COM3"));
  EXPECT_EQ(w.State().CurrentComPort, 3);
  EXPECT_EQ(Setting(QStringLiteral("comPort")), QStringLiteral("3"));
  // The rest of the start-up state.
  EXPECT_EQ(w.Combo1[1]->count(), 16);
  EXPECT_EQ(w.Combo1[1]->currentIndex(), 0);
  EXPECT_FALSE(w.Combo1[0]->isEnabled());
  EXPECT_EQ(w.Combo1[0]->currentText(), QStringLiteral("ZR93KW"));
  EXPECT_TRUE(w.Option1[2]->isChecked());
  EXPECT_EQ(w.SelectedMode(), AssociationMode::NoPackageAssociation);
  EXPECT_FALSE(w.Text1[5]->isEnabled());
  EXPECT_FALSE(w.Option1[1]->isEnabled());
  EXPECT_TRUE(w.Label7->text().isEmpty());
  EXPECT_TRUE(w.Timer_SNFocus.isActive());
  EXPECT_TRUE(w.ReShowComPortTimer.isActive());
  EXPECT_EQ(w.State().OperationMode, 0);
  EXPECT_TRUE(presenter.shown.empty());
  EXPECT_EQ(w.windowTitle(), QStringLiteral("ZR93KW_SetFactory"));
  EXPECT_EQ(w.size(), QSize(617, 593));  // 9255 x 8895 twips at 96 dpi
}

TEST_F(WindowStartup, StoredPortThatIsGoneGivesWayToTheFirstPort) {
  ASSERT_TRUE(SettingsWrite(QStringLiteral("comPort"), QStringLiteral("7")));
  ports = Ports({3, 5});
  FrmMain& w = Open();
  EXPECT_EQ(w.Combo2->currentText(), QStringLiteral("COM3"));
  EXPECT_EQ(Setting(QStringLiteral("comPort")), QStringLiteral("3"));

  ASSERT_TRUE(SettingsWrite(QStringLiteral("comPort"), QStringLiteral("5")));
  FrmMain& again = Open();
  EXPECT_EQ(again.Combo2->currentText(), QStringLiteral("COM5"));
  EXPECT_EQ(again.State().CurrentComPort, 5);
}

TEST_F(WindowStartup, NoPortsSelectsNothingAndWritesNothing) {
  ASSERT_TRUE(SettingsWrite(QStringLiteral("comPort"), QStringLiteral("7")));
  FrmMain& w = Open();
  EXPECT_EQ(w.Combo2->currentIndex(), -1);
  EXPECT_EQ(w.State().CurrentComPort, 0);
  EXPECT_EQ(Setting(QStringLiteral("comPort")), QStringLiteral("7"));
  EXPECT_TRUE(Setting(QStringLiteral("CommHandle")).isEmpty());
}

TEST_F(WindowStartup, ExitWithoutAPortStillWritesCommHandleZero) {
  ports = Ports({3});
  FrmMain& w = Open();
  w.Command3_Click();
  EXPECT_EQ(Setting(QStringLiteral("CommHandle")), QStringLiteral("0"));
  EXPECT_FALSE(w.ReShowComPortTimer.isActive());
  EXPECT_FALSE(w.Timer_SNFocus.isActive());
}

TEST_F(WindowStartup, FixedListSystemShowsAllPortsUntilTheFirstRefresh) {
  FrmMainOptions options = Options();
  options.queryOsVersion = [] { return platform::OsVersion{2, 6, 0}; };
  ports = Ports({4});
  ASSERT_TRUE(SettingsWrite(QStringLiteral("comPort"), QStringLiteral("12")));
  FrmMain& w = Open(options);
  EXPECT_EQ(w.FixedPortListOs, 1);
  EXPECT_EQ(w.Combo2->count(), 256);
  EXPECT_EQ(w.Combo2->currentText(), QStringLiteral("COM12"));
  EXPECT_EQ(w.State().CurrentComPort, 12);
  w.ReShowComPortTimer_Timer();
  EXPECT_EQ(w.Combo2->count(), 1);
  EXPECT_EQ(w.State().CurrentComPort, 4);

  ASSERT_TRUE(SettingsWrite(QStringLiteral("comPort"), QStringLiteral("300")));
  FrmMain& outside = Open(options);
  EXPECT_EQ(outside.Combo2->currentIndex(), -1);
  EXPECT_EQ(outside.State().CurrentComPort, 300);
}

TEST_F(WindowStartup, FailedVersionQueryIsReportedInChinese) {
  FrmMainOptions options = Options();
  options.queryOsVersion = [] { return std::optional<platform::OsVersion>(); };
  FrmMain& w = Open(options);
  ASSERT_EQ(presenter.shown.size(), 1u);
  EXPECT_EQ(presenter.shown[0].text, QStringLiteral("未知操作系统"));
  EXPECT_EQ(presenter.shown[0].style, MessageStyle::OkOnly);
  EXPECT_EQ(w.FixedPortListOs, 0);
}

TEST_F(WindowStartup, RefreshFollowsThePortsAndTheLastAssociatedWrite) {
  ports = Ports({3, 4});
  ASSERT_TRUE(SettingsWrite(QStringLiteral("comPort"), QStringLiteral("4")));
  FrmMain& w = Open();
  w.ReShowComPortTimer_Timer();
  EXPECT_EQ(w.Combo2->currentText(), QStringLiteral("COM4"));

  ports = Ports({3});  // unplugged
  w.ReShowComPortTimer_Timer();
  EXPECT_EQ(w.Combo2->currentText(), QStringLiteral("COM3"));
  EXPECT_EQ(w.State().CurrentComPort, 3);
  ports = Ports({3, 4});  // back: the list stays where it is
  w.ReShowComPortTimer_Timer();
  EXPECT_EQ(w.State().CurrentComPort, 3);
  // The refresh writes nothing: the stored choice is still the operator's.
  EXPECT_EQ(Setting(QStringLiteral("comPort")), QStringLiteral("4"));

  w.State().AssociationDone = true;
  w.State().LastWritePort = 4;
  w.ReShowComPortTimer_Timer();
  EXPECT_EQ(w.Combo2->currentText(), QStringLiteral("COM4"));
  EXPECT_EQ(w.State().CurrentComPort, 4);

  ports.clear();
  w.ReShowComPortTimer_Timer();
  EXPECT_EQ(w.Combo2->currentIndex(), -1);
  EXPECT_EQ(w.State().CurrentComPort, 0);
}

TEST_F(WindowStartup, OperatorsChoiceIsStoredAtOnce) {
  ports = Ports({3, 12});
  FrmMain& w = Open();
  w.Combo2->setCurrentIndex(1);
  EXPECT_EQ(Setting(QStringLiteral("comPort")), QStringLiteral("3"));  // a program's selection is no choice
  emit w.Combo2->activated(1);
  EXPECT_EQ(w.State().CurrentComPort, 12);
  EXPECT_EQ(Setting(QStringLiteral("comPort")), QStringLiteral("12"));
}

void ExpectLabelsAligned(const FrmMain& w) {
  const FormLayout& layout = w.Layout();
  for (const lang::LabelAnchor& anchor : lang::LabelAnchors()) {
    const TwipsRect& label = layout.Rect(anchor.Label);
    const TwipsRect& reference = layout.Rect(anchor.Reference);
    EXPECT_GT(label.width, 0.0f) << anchor.Label.toStdString();
    EXPECT_GE(label.left, 0.0f) << anchor.Label.toStdString();
    EXPECT_FLOAT_EQ(label.left + label.width, reference.left - 50.0f) << anchor.Label.toStdString();
    // On the screen: within a pixel of 50 twips (3.33 pixels at 96 dpi).
    const QWidget* labelWidget = w.Control(anchor.Label);
    const QWidget* referenceWidget = w.Control(anchor.Reference);
    EXPECT_NEAR(referenceWidget->x() - (labelWidget->x() + labelWidget->width()), 50.0 / 15.0, 1.0)
        << anchor.Label.toStdString();
  }
  // The port label stays where it was designed.
  EXPECT_FLOAT_EQ(layout.Rect(QStringLiteral("Label3")).left, FormLayout().Rect(QStringLiteral("Label3")).left);
}

TEST_F(WindowStartup, EnglishCaptionsAndAlignedLabels) {
  FrmMain& w = Open();
  EXPECT_EQ(w.State().UiLanguage, 1);
  EXPECT_EQ(w.Command1->text(), QStringLiteral("&Read"));
  EXPECT_EQ(w.Label1[5]->text(), QStringLiteral("Maintained Description"));
  EXPECT_EQ(w.Label3->text(), QStringLiteral("Com Port:"));
  EXPECT_EQ(w.Option1[0]->text(), QStringLiteral("扫码写入模式"));
  EXPECT_EQ(w.Check7->text(), QStringLiteral("Quick Reset"));
  EXPECT_EQ(w.BandChangeMessage()[0], QString());
  EXPECT_EQ(w.BandChangeMessage()[1], QStringLiteral("Frequencys is different. Overwrite?"));
  ExpectLabelsAligned(w);
}

TEST_F(WindowStartup, ChineseOnlyForThePrcLocale) {
  FrmMainOptions options = Options();
  options.systemLcid = [] { return 0x0804u; };
  FrmMain& w = Open(options);
  EXPECT_EQ(w.State().UiLanguage, 2);
  EXPECT_EQ(w.Command1->text(), QStringLiteral("读出(&R)"));
  EXPECT_EQ(w.Label3->text(), QStringLiteral("串口选择:"));
  EXPECT_EQ(w.Frame1->title(), QStringLiteral("机器设置"));
  EXPECT_EQ(w.BandChangeMessage()[2], QStringLiteral("频段类型不同。是否覆盖？"));
  ExpectLabelsAligned(w);

  options.systemLcid = [] { return 0x0404u; };
  EXPECT_EQ(Open(options).State().UiLanguage, 1);
}

}  // namespace
}  // namespace zr::window::test
