// The window's start-up, shutdown, port list refresh and captions.
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOption>
#include <QTextLayout>

#include "lang/captions.h"
#include "lang/label_placement.h"
#include "lang/messages.h"
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

TEST_F(WindowStartup, UnreadablePortFolderIsOnTheStatusLineWhileItLeavesNoPorts) {
  const zr::test::ScopedEnvironment environment{"ZR93KW_PORT_DIR"};
  const QString missing = dir.filePath(QStringLiteral("ports"));
  qputenv("ZR93KW_PORT_DIR", missing.toLocal8Bit());
  FrmMainOptions options = Options();
  options.systemLcid = [] { return lang::Lcid::ChinesePrc; };
  FrmMain& w = Open(options);
  EXPECT_EQ(w.Status->Text(), QStringLiteral("ZR93KW_PORT_DIR=%1 不是可读的文件夹").arg(missing));
  ASSERT_TRUE(QDir().mkdir(missing));
  w.ReShowComPortTimer_Timer();
  EXPECT_EQ(w.Status->Text(), QString());
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
    for (const auto& caption : lang::LanguageCaptions()) {
      EXPECT_EQ(CaptionOf(w.Control(caption.Control)), caption.Text(language)) << caption.Control.toStdString();
    }
    for (const auto& caption : lang::FixedCaptions()) {
      EXPECT_EQ(CaptionOf(w.Control(caption.Control)), caption.Text) << caption.Control.toStdString();
    }
    // The names above reach the controls the operator sees.
    EXPECT_EQ(w.Command1->text(),
              language == lang::UiLanguage::English ? QStringLiteral("&Read") : QStringLiteral("读出(&R)"));

    for (const lang::LabelAnchor& anchor : lang::LabelAnchors()) {
      const QWidget* label = w.Control(anchor.Label);
      EXPECT_NEAR(w.Control(anchor.Reference)->x() - (label->x() + label->width()), 50.0 / 15.0, 1.0)
          << anchor.Label.toStdString();
    }
    EXPECT_FLOAT_EQ(w.Layout().Rect(QStringLiteral("Label3")).left, FormLayout().Rect(QStringLiteral("Label3")).left);
  }
}

// What `text` needs on `control`: its widest line, and its lines' height with
// the fallback fonts that draw Chinese.
QSizeF TextSize(const QWidget& control, const QString& text) {
  QSizeF size;
  for (const QString& part : QString(text).remove(QLatin1Char('&')).split(QLatin1Char('\n'))) {
    QTextLayout layout(part, control.font(), &control);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setLineWidth(1e6);
    layout.endLayout();
    size = QSizeF(std::max(size.width(), line.naturalTextWidth()), size.height() + line.height());
  }
  return size;
}

// Where a control draws its text, in its own coordinates, and the text.
std::pair<QRect, QString> TextArea(QWidget* control) {
  const QStyle* style = control->style();
  if (auto* label = qobject_cast<QLabel*>(control)) return {label->contentsRect(), label->text()};
  if (auto* box = qobject_cast<QLineEdit*>(control)) {
    QStyleOptionFrame option;
    option.initFrom(box);
    option.lineWidth = style->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, box);
    // The box keeps two pixels either side of its text.
    return {style->subElementRect(QStyle::SE_LineEditContents, &option, box).adjusted(2, 0, -2, 0), box->text()};
  }
  if (auto* list = qobject_cast<QComboBox*>(control)) {
    QStyleOptionComboBox option;
    option.initFrom(list);
    option.frame = list->hasFrame();
    return {style->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, list).adjusted(1, 0, -1, 0),
            list->currentText()};
  }
  if (auto* frame = qobject_cast<QGroupBox*>(control)) {
    QStyleOptionGroupBox option;
    option.initFrom(frame);
    option.text = frame->title();
    option.textAlignment = frame->alignment();
    option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
    return {style->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, frame), frame->title()};
  }
  if (auto* lines = qobject_cast<QPlainTextEdit*>(control)) {
    return {lines->viewport()->geometry(), QStringLiteral("1\n2\n3")};  // several lines
  }
  auto* button = qobject_cast<QAbstractButton*>(control);
  QStyleOptionButton option;
  option.initFrom(button);
  option.text = button->text();
  const QStyle::SubElement contents = qobject_cast<QCheckBox*>(button)      ? QStyle::SE_CheckBoxContents
                                      : qobject_cast<QRadioButton*>(button) ? QStyle::SE_RadioButtonContents
                                                                            : QStyle::SE_PushButtonContents;
  return {style->subElementRect(contents, &option, button), button->text()};
}

// The window at the screen's DPI (the tests run at 96, 120 and 144, by
// QT_FONT_DPI): each control's text whole, each control inside its frame or
// the window and clear of the others, the window in whole screen pixels.
// Its pictures go to the test's output folder.
TEST_F(WindowStartup, AtTheScreensDpiNoTextOrBoxIsCut) {
  ports = Ports({3, 256});
  for (const quint32 lcid : {lang::Lcid::EnglishUs, lang::Lcid::ChinesePrc}) {
    FrmMainOptions options = Options();
    options.systemLcid = [lcid] { return lcid; };
    FrmMain& w = Open(options);
    const int dpi = w.logicalDpiY();
    SCOPED_TRACE(QStringLiteral("%1 at %2 DPI").arg(lcid, 0, 16).arg(dpi).toStdString());
    if (qEnvironmentVariableIsSet("QT_FONT_DPI")) {
      EXPECT_EQ(dpi, qEnvironmentVariableIntValue("QT_FONT_DPI"));
    }
    // The widest texts the boxes take: digits to the field's length, the runtime texts.
    for (QWidget* box : w.Text1) {
      if (auto* line = qobject_cast<QLineEdit*>(box)) line->setText(QString(line->maxLength(), QLatin1Char('8')));
    }
    w.Label7->setText(lang::WaitingNextText(w.State().UiLanguage));
    w.Label7->show();
    const QString status = QStringLiteral("通信失败: read of line 0x30: no reply within the time-outs, after 2 resends\n") +
                           QStringLiteral("log not written: ") + QString(200, QLatin1Char('x'));
    w.Status->Show(status);
    w.show();
    EXPECT_EQ(w.Status->toolTip(), status);  // cut short on the line

    std::vector<std::pair<QString, QWidget*>> shown;
    for (const auto& entry : w.Layout().Places()) {
      QWidget* control = w.Control(entry.first);
      if (!control->isVisibleTo(&w)) continue;
      SCOPED_TRACE(entry.first.toStdString());
      const auto [area, text] = TextArea(control);
      const QSizeF needed = TextSize(*control, text);
      EXPECT_TRUE(control->rect().contains(area));
      EXPECT_LE(needed.width(), area.width()) << text.toStdString();
      EXPECT_LE(needed.height(), area.height()) << text.toStdString();
      EXPECT_TRUE(control->parentWidget()->contentsRect().contains(control->geometry()));
      for (const auto& [name, other] : shown) {
        if (other->parentWidget() == control->parentWidget()) {
          EXPECT_FALSE(other->geometry().intersects(control->geometry())) << name.toStdString();
        }
      }
      shown.emplace_back(entry.first, control);
    }
    const QPixmap picture = w.grab();
    EXPECT_EQ(picture.size(), w.size());
    const QString folder = QStringLiteral(ZR_WINDOW_PICTURES_DIR);
    ASSERT_TRUE(QDir().mkpath(folder));
    EXPECT_TRUE(picture.save(QStringLiteral("%1/window-%2-%3dpi.png")
                                 .arg(folder, lcid == lang::Lcid::ChinesePrc ? "zh_CN" : "en_US")
                                 .arg(dpi)));
  }
}

}  // namespace
}  // namespace zr::window::test
