// The window's start-up, shutdown, port list refresh and captions.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOption>
#include <QTextLayout>
#include <set>

#include "app/window/cut_entry_tip.h"
#include "app/window/label_placement.h"
#include "app/window/window_captions.h"
#include "tests/support/scoped_environment.h"
#include "window_fixture.h"

namespace zr::window::test {
namespace {

using WindowStartup = WindowTest;

// The stored port while the list has it, else the first listed, which is
// then stored; on the fixed-list system (NT 6.0) all 256 ports until the
// first refresh, and a stored port past them is taken but selects nothing.
TEST_F(WindowStartup, StartUpTakesTheStoredPortWhileListedElseTheFirstAndStoresIt) {
  struct Case {
    std::vector<int> listed;
    bool fixedList;
    QString stored;
    int count;
    QString selected;
    int port;
    QString kept;
  };
  for (const Case& c : std::vector<Case>{{{3, 5}, false, "7", 2, "COM3", 3, "3"},
                                         {{3, 5}, false, "5", 2, "COM5", 5, "5"},
                                         {{}, false, "7", 0, "", 0, "7"},
                                         {{4}, true, "12", 256, "COM12", 12, "12"},
                                         {{4}, true, "300", 256, "", 300, "300"}}) {
    SCOPED_TRACE(c.stored.toStdString());
    ports = Ports(c.listed);
    FrmMainOptions options = Options();
    if (c.fixedList) options.queryOsVersion = [] { return platform::OsVersion{2, 6, 0}; };
    ASSERT_TRUE(SettingsWrite(QStringLiteral("comPort"), c.stored));
    FrmMain& w = Open(options);
    EXPECT_EQ(w.Combo2->count(), c.count);
    EXPECT_EQ(w.Combo2->currentText(), c.selected);
    EXPECT_EQ(w.State().CurrentComPort, c.port);
    EXPECT_EQ(Setting(QStringLiteral("comPort")), c.kept);
    w.ReShowComPortTimer_Timer();  // the first refresh lists the system's ports
    EXPECT_EQ(w.Combo2->count(), static_cast<int>(c.listed.size()));
  }
}

TEST_F(WindowStartup, StartUpStateAndExitWithoutATransferStillWritesCommHandleZero) {
  FrmMain& w = Open();
  EXPECT_FALSE(w.Combo1[0]->isEnabled());
  EXPECT_EQ(w.Combo1[0]->currentText(), QStringLiteral("ZR93KW"));
  EXPECT_EQ(w.SelectedMode(), AssociationMode::NoPackageAssociation);
  EXPECT_FALSE(w.Text1[5]->isEnabled());
  EXPECT_FALSE(w.Option1[1]->isEnabled());
  EXPECT_TRUE(w.Label7->text().isEmpty());
  EXPECT_TRUE(w.Timer_SNFocus.isActive());
  EXPECT_TRUE(w.ReShowComPortTimer.isActive());
  EXPECT_TRUE(presenter.shown.empty());
  EXPECT_TRUE(Setting(QStringLiteral("CommHandle")).isEmpty());

  w.Command3_Click();
  EXPECT_EQ(Setting(QStringLiteral("CommHandle")), QStringLiteral("0"));
  EXPECT_FALSE(w.ReShowComPortTimer.isActive());
  EXPECT_FALSE(w.Timer_SNFocus.isActive());
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

TEST_F(WindowStartup, RefreshFollowsThePortsAndTheLastAssociatedWriteAndOnlyTheOperatorsChoiceIsStored) {
  ports = Ports({3, 4, 12});
  ASSERT_TRUE(SettingsWrite(QStringLiteral("comPort"), QStringLiteral("3")));
  FrmMain& w = Open();
  ports = Ports({4, 12});  // unplugged
  w.ReShowComPortTimer_Timer();
  EXPECT_EQ(w.Combo2->currentText(), QStringLiteral("COM4"));
  EXPECT_EQ(w.State().CurrentComPort, 4);
  ports = Ports({3, 4, 12});  // back: the list stays where it is
  w.ReShowComPortTimer_Timer();
  EXPECT_EQ(w.State().CurrentComPort, 4);
  EXPECT_EQ(Setting(QStringLiteral("comPort")), QStringLiteral("3"));  // a program's selection is no choice
  w.Combo2->setCurrentIndex(2);
  emit w.Combo2->activated(2);
  EXPECT_EQ(w.State().CurrentComPort, 12);
  EXPECT_EQ(Setting(QStringLiteral("comPort")), QStringLiteral("12"));

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

TEST_F(WindowStartup, UnreadablePortFolderIsOnTheStatusLine) {
  const zr::test::ScopedEnvironment environment{"ZR93KW_PORT_DIR"};
  const QString missing = dir.filePath(QStringLiteral("ports"));
  qputenv("ZR93KW_PORT_DIR", missing.toLocal8Bit());
  FrmMainOptions options = Options();
  options.systemLcid = [] { return lang::Lcid::ChinesePrc; };
  EXPECT_EQ(Open(options).Status->Text(), QStringLiteral("ZR93KW_PORT_DIR=%1 不是可读的文件夹").arg(missing));
}

// A label's or button's text, a frame's title.
QString CaptionOf(const QWidget* widget) {
  return widget->property(qobject_cast<const QGroupBox*>(widget) != nullptr ? "title" : "text").toString();
}

// Every caption on its control, and every moved label ending 50 twips (a
// pixel or so) before its reference on the screen.
TEST_F(WindowStartup, CaptionsInTheLanguageOfThePrcLocaleOnlyAndLabelsEndBeforeTheirBoxes) {
  for (const auto& [lcid, language] : std::vector<std::pair<quint32, lang::UiLanguage>>{
           {0x0409, lang::UiLanguage::English},
           {0x0804, lang::UiLanguage::Chinese}}) {
    SCOPED_TRACE(lcid);
    FrmMainOptions options = Options();
    options.systemLcid = [lcid] { return lcid; };
    FrmMain& w = Open(options);
    EXPECT_EQ(w.State().UiLanguage, language);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("ZR93KW_SetFactory"));
    for (const auto& caption : window::LanguageCaptions()) {
      EXPECT_EQ(CaptionOf(w.Control(caption.Control)), caption.Text(language)) << caption.Control.toStdString();
    }
    for (const auto& caption : window::FixedCaptions()) {
      EXPECT_EQ(CaptionOf(w.Control(caption.Control)), caption.Text) << caption.Control.toStdString();
    }
    // The names above reach the controls the operator sees.
    EXPECT_EQ(w.Command1->text(),
              language == lang::UiLanguage::English ? QStringLiteral("&Read") : QStringLiteral("读出(&R)"));

    for (const window::LabelAnchor& anchor : window::LabelAnchors()) {
      const QWidget* label = w.Control(anchor.Label);
      EXPECT_NEAR(w.Control(anchor.Reference)->x() - (label->x() + label->width()), 50.0 * w.logicalDpiX() / 1440, 1.0)
          << anchor.Label.toStdString();
    }
    EXPECT_FLOAT_EQ(w.Layout().Rect(QStringLiteral("Label3")).left, FormLayout().Rect(QStringLiteral("Label3")).left);
  }
}

// Where a label, box or button draws its text, and the text; a control without one gives none.
std::pair<QRect, QString> TextArea(QWidget* control) {
  if (auto* box = qobject_cast<QLineEdit*>(control)) return {box->rect().adjusted(4, 2, -4, -2), box->text()};  // frame, margin
  if (auto* label = qobject_cast<QLabel*>(control)) return {label->contentsRect(), label->text()};
  auto* button = qobject_cast<QAbstractButton*>(control);
  if (button == nullptr) return {control->rect(), QString()};
  QStyleOptionButton option;
  option.initFrom(button);
  const QStyle::SubElement contents = qobject_cast<QCheckBox*>(button)      ? QStyle::SE_CheckBoxContents
                                      : qobject_cast<QRadioButton*>(button) ? QStyle::SE_RadioButtonContents
                                                                            : QStyle::SE_PushButtonContents;
  return {button->style()->subElementRect(contents, &option, button), button->text().remove(QLatin1Char('&'))};
}

// At 96, 120 and 144 DPI (QT_FONT_DPI): each text whole, Chinese too, each control inside its frame or window.
TEST_F(WindowStartup, AtTheScreensDpiNoTextOrBoxIsCutOrOutside) {
  ports = Ports({256});
  for (const quint32 lcid : {lang::Lcid::EnglishUs, lang::Lcid::ChinesePrc}) {
    FrmMainOptions options = Options();
    options.systemLcid = [lcid] { return lcid; };
    FrmMain& w = Open(options);
    const int dpi = w.logicalDpiY();
    SCOPED_TRACE(dpi);
    EXPECT_EQ(dpi, qEnvironmentVariableIsSet("QT_FONT_DPI") ? qEnvironmentVariableIntValue("QT_FONT_DPI") : dpi);
    // The widest texts: digits to each field's length, a status longer than its line.
    for (QLineEdit* box : w.findChildren<QLineEdit*>()) box->setText(QString(box->maxLength(), QLatin1Char('8')));
    const QString status = QStringLiteral("通信失败: read of line 0x30 ") + QString(200, QLatin1Char('x'));
    w.Status->Show(status);
    w.show();
    EXPECT_EQ(w.Status->toolTip(), status);  // cut short on the line, whole in the tooltip

    for (const auto& entry : w.Layout().Places()) {
      QWidget* control = w.Control(entry.first);
      if (!control->isVisibleTo(&w) || control == w.Status) continue;
      const auto [area, text] = TextArea(control);
      QTextLayout layout(text, control->font(), control);
      layout.beginLayout();
      QTextLine line = layout.createLine();
      line.setLineWidth(1e6);
      layout.endLayout();
      const auto* list = qobject_cast<QComboBox*>(control);
      EXPECT_TRUE(control->rect().contains(area) && line.naturalTextWidth() <= area.width() &&
                  line.height() <= area.height() && (list == nullptr || !CutsSelectedEntry(*list)) &&
                  control->parentWidget()->contentsRect().contains(control->geometry()))
          << entry.first.toStdString();
    }
    EXPECT_TRUE(w.grab().save(QStringLiteral(ZR_WINDOW_PICTURES_DIR "/window-%1-%2dpi.png").arg(lcid, 0, 16).arg(dpi)));
  }
}

// The captions themselves live in one table; the window's tests put each on its control.
TEST(WindowCaptions, EachControlOnceWithTheSameAccessKeyInBothLanguages) {
  std::set<QString> controls;
  for (const LanguageCaption& caption : LanguageCaptions()) {
    SCOPED_TRACE(caption.Control.toStdString());
    EXPECT_TRUE(controls.insert(caption.Control).second);
    EXPECT_FALSE(caption.English.isEmpty() || caption.Chinese.isEmpty());
    const qsizetype key = caption.English.indexOf(QLatin1Char('&'));
    EXPECT_EQ(caption.Chinese.contains(QLatin1Char('&')), key >= 0);
    const QString chineseKey = key < 0 ? QString() : QStringLiteral("(&%1)").arg(caption.English[key + 1].toUpper());
    EXPECT_TRUE(caption.Chinese.contains(chineseKey));
  }
  for (const FixedCaption& caption : FixedCaptions()) EXPECT_TRUE(controls.insert(caption.Control).second);
}

}  // namespace
}  // namespace zr::window::test
