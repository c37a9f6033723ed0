// The window's modes, entry rules and focus pull.
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpontaneKeyEvent>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>

#include <tuple>

#include "app/window/window_captions.h"
#include "lang/messages.h"
#include "window_fixture.h"

namespace zr::window::test {
namespace {

// As an input method types: key presses that carry text outside ASCII.
void Type(QWidget* widget, const QString& text) {
  for (const QChar c : text) QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

// One notch of the wheel over `widget`, as the system delivers it.
void WheelNotch(QWidget* widget) {
  QWheelEvent wheel(QPointF(5, 5), widget->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, -120), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QSpontaneKeyEvent::setSpontaneous(&wheel);
  QApplication::instance()->notify(widget, &wheel);
}

struct WheelCounter : QObject {
  int count = 0;
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Wheel) ++count;
    return false;
  }
};

class WindowRules : public WindowTest {
 protected:
  FrmMain& OpenActive() {
    FrmMain& w = Open();
    w.show();
    w.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&w));
    return w;
  }
  QLineEdit* Box(int index) { return qobject_cast<QLineEdit*>(window->Text1[index]); }
};

TEST_F(WindowRules, ScanModeEmptiesAndOpensThePackageBoxPullsTheFocusThereAndHidesWrite) {
  FrmMain& w = OpenActive();
  w.SetText(5, QStringLiteral("OLD"));
  w.State().AssociationDone = true;
  Box(2)->setFocus();
  w.Timer_SNFocus_Timer();
  EXPECT_EQ(QApplication::focusWidget(), w.Text1[2]);
  w.Option1[0]->click();
  EXPECT_EQ(w.SelectedMode(), AssociationMode::ScanCodeWrite);
  EXPECT_TRUE(w.Text1[5]->isEnabled());
  EXPECT_TRUE(w.TextOf(5).isEmpty());
  EXPECT_FALSE(w.Label7->isHidden());
  EXPECT_TRUE(w.Command2->isHidden());
  EXPECT_TRUE(w.State().AssociationDone);
  w.Timer_SNFocus_Timer();
  EXPECT_EQ(QApplication::focusWidget(), w.Text1[5]);

  w.SetText(5, QStringLiteral("PKG1"));
  w.Option1[2]->click();
  EXPECT_FALSE(w.Text1[5]->isEnabled());
  EXPECT_EQ(w.TextOf(5), QStringLiteral("PKG1"));
  EXPECT_TRUE(w.Label7->isHidden());
  EXPECT_FALSE(w.Command2->isHidden());
  EXPECT_FALSE(w.State().AssociationDone);
}

// Enter moves on from the area code and the password only; Tab enters the
// mode options at the selected one and leaves them from there; an empty
// maintenance date gets today's on focus.
TEST_F(WindowRules, FocusMovesOnEnterAndTabAndFillsAnEmptyMaintenanceDate) {
  FrmMain& w = OpenActive();
  w.SetText(3, QString());
  Box(0)->setFocus();
  QTest::keyClicks(Box(0), QStringLiteral("12"));
  QTest::keyClick(Box(0), Qt::Key_Return);
  EXPECT_EQ(QApplication::focusWidget(), w.Text1[2]);
  EXPECT_EQ(w.TextOf(0), QStringLiteral("12"));
  QTest::keyClick(Box(2), Qt::Key_Tab);
  EXPECT_EQ(w.TextOf(3), QStringLiteral("12/6/2026"));
  EXPECT_EQ(Box(3)->selectedText(), QStringLiteral("12/6/2026"));
  w.SetText(3, QStringLiteral("1/1/2020"));
  Box(2)->setFocus();
  Box(3)->setFocus();
  EXPECT_EQ(w.TextOf(3), QStringLiteral("1/1/2020"));
  EXPECT_EQ(Box(3)->selectedText(), QStringLiteral("1/1/2020"));
  Box(6)->setFocus();
  QTest::keyClick(Box(6), Qt::Key_Return);
  EXPECT_EQ(QApplication::focusWidget(), w.Text1[6]);
  Box(12)->setFocus();
  QTest::keyClick(Box(12), Qt::Key_Enter);
  EXPECT_EQ(QApplication::focusWidget(), w.Option1[2]);

  // Scan-code write mode: Enter in the package box starts a write, but not without a code.
  w.Option1[0]->click();
  Box(5)->setFocus();
  QTest::keyClick(Box(5), Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), w.Option1[0]);
  QTest::keyClick(w.Option1[0], Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), w.Combo1[3]);
  Box(5)->setFocus();
  QTest::keyClick(Box(5), Qt::Key_Return);
  EXPECT_FALSE(w.Link().Busy());
  EXPECT_TRUE(presenter.shown.empty());
}

TEST_F(WindowRules, AreaCodeAndPasswordDropNonAsciiAndClipboardKeys) {
  FrmMain& w = OpenActive();
  QApplication::clipboard()->setText(QStringLiteral("99"));
  for (int index : {0, 12}) {
    Box(index)->setFocus();
    Box(index)->clear();
    Type(Box(index), QStringLiteral("1é2中"));
    QTest::keyClick(Box(index), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(w.TextOf(index), QStringLiteral("12")) << index;
    Box(index)->insert(QStringLiteral("中"));  // as a paste from the mouse's menu would
    EXPECT_EQ(w.TextOf(index), QStringLiteral("12")) << index;
    QTest::keyClick(Box(index), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(Box(index), Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(w.TextOf(index), QStringLiteral("12")) << index;
    QTest::keyClick(Box(index), Qt::Key_Backspace);
    EXPECT_EQ(w.TextOf(index), QString()) << index;  // the selection went
    QTest::keyClicks(Box(index), QStringLiteral("123456"));
    EXPECT_EQ(w.TextOf(index), QStringLiteral("1234")) << index;
  }
  // Other boxes take what is typed.
  Box(11)->setFocus();
  Type(Box(11), QStringLiteral("é中"));
  QTest::keyClick(Box(11), Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(w.TextOf(11), QStringLiteral("é中99"));
}

// Once edited, the description's lines end in CR LF, two characters of its limit each.
TEST_F(WindowRules, EditedDescriptionEndsItsLinesInCrLf) {
  FrmMain& w = Open();
  auto* box = static_cast<QPlainTextEdit*>(w.Text1[4]);
  w.SetText(4, QString(75, QLatin1Char('d')) + QStringLiteral("\n\r"));
  box->moveCursor(QTextCursor::End);
  QTest::keyClicks(box, QStringLiteral("abc"));
  EXPECT_EQ(w.TextOf(4), QString(75, QLatin1Char('d')) + QStringLiteral("\r\n\r\na"));
}

TEST_F(WindowRules, WheelChangesOnlyTheListThatHasTheFocus) {
  ports = Ports({1, 2, 3});
  FrmMain& w = OpenActive();
  WheelCounter windowWheels;
  w.installEventFilter(&windowWheels);
  Box(2)->setFocus();
  for (QComboBox* list : {w.Combo1[1], w.Combo1[3], w.Combo2}) {
    const int before = list->currentIndex();
    WheelNotch(list);
    EXPECT_EQ(list->currentIndex(), before) << list->currentText().toStdString();
  }
  EXPECT_EQ(windowWheels.count, 3);  // each notch went on to the window
  w.Combo1[3]->setCurrentIndex(0);
  w.Combo1[3]->setFocus();
  WheelNotch(w.Combo1[3]);
  EXPECT_EQ(w.Combo1[3]->currentIndex(), 1);
}

TEST_F(WindowRules, FocusPullPausesUnderShowMessageOnly) {
  FrmMain& w = Open();
  w.ShowMessage(lang::ReadCompleteText, MessageStyle::OkOnly);
  w.ShowPlainMessage(lang::WriteErrorText);
  ASSERT_EQ(presenter.shown.size(), 2u);
  EXPECT_FALSE(presenter.shown[0].focusPullRunning);
  EXPECT_TRUE(presenter.shown[1].focusPullRunning);
  EXPECT_TRUE(w.Timer_SNFocus.isActive());

  // A pull that was off stays off after the box.
  w.Timer_SNFocus.stop();
  w.ShowMessage(lang::ReadCompleteText, MessageStyle::OkOnly);
  EXPECT_FALSE(w.Timer_SNFocus.isActive());
}

// The real boxes: titled with the window's caption, buttons by style; like the
// system's, the Yes/No question has no escape, neither Escape nor closing it.
TEST(MessageBoxPresenter, AnswersWithTheButtonCodes) {
  MessageBoxPresenter presenter;
  using Case = std::tuple<MessageStyle, QMessageBox::StandardButton, MessageButton>;
  for (const auto& [style, button, answer] : std::vector<Case>{
           {MessageStyle::OkCancelWarning, QMessageBox::Cancel, MessageButton::Cancel},
           {MessageStyle::OkCancelWarning, QMessageBox::Ok, MessageButton::Ok},
           {MessageStyle::YesNo, QMessageBox::Yes, MessageButton::Yes},
           {MessageStyle::OkOnly, QMessageBox::Ok, MessageButton::None}}) {
    QString title;
    QTimer::singleShot(0, [&title, press = button, question = style == MessageStyle::YesNo] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      ASSERT_NE(box, nullptr);
      title = box->windowTitle();
      if (question) {
        QTest::keyClick(box->focusWidget() != nullptr ? box->focusWidget() : box, Qt::Key_Escape);
        box->close();
        QTest::qWait(200);
        EXPECT_TRUE(box->isVisible());
      }
      box->button(press)->click();
    });
    EXPECT_EQ(presenter.Present(nullptr, QStringLiteral("?"), style), answer);
    EXPECT_EQ(title, window::WindowCaption);
  }
}

}  // namespace
}  // namespace zr::window::test
