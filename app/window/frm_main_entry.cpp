// The window's commands, modes, entry rules and focus pull.
#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include "app/window/frm_main.h"
#include "platform/short_date.h"

namespace zr::window {

namespace {

bool HasNonAscii(const QString& text) {
  for (const QChar c : text) {
    if (c.unicode() > 127) return true;
  }
  return false;
}

}  // namespace

bool TakesAsciiOnly(int textIndex) {
  const FactoryField* field = FieldInBox({BoxKind::Text, textIndex});
  return field != nullptr && field->kind == FieldKind::Chars;
}

void FrmMain::Command1_Click() { StartTransfer(&RadioLink::StartRead); }

void FrmMain::Command2_Click() { StartTransfer(&RadioLink::StartWrite); }

void FrmMain::StartTransfer(bool (RadioLink::*start)()) {
  // A click while a transfer runs is ignored, and must not take the cursor with it.
  if (link_->Busy()) return;
  busyCursor_.Show();
  transferStatus_.clear();
  ShowStatus();
  // Every start ends in TransferEnded, a port that does not open included, which hides it.
  (link_.get()->*start)();
}

void FrmMain::Command3_Click() { close(); }

void FrmMain::Option1_Click() {
  if (Option1[0]->isChecked()) {
    Text1[BoxIndex(Field::PackageCode)]->setEnabled(true);
    SetText(BoxIndex(Field::PackageCode), QString());
    Label7->setVisible(true);
    // In this mode a write starts from the scanner's Enter in the package-code box.
    Command2->setVisible(false);
  } else if (Option1[2]->isChecked()) {
    Text1[BoxIndex(Field::PackageCode)]->setEnabled(false);
    Label7->setVisible(false);
    state_.AssociationDone = false;
    Command2->setVisible(true);
  }
}

void FrmMain::Timer_SNFocus_Timer() {
  if (Option1[0]->isChecked()) Text1[BoxIndex(Field::PackageCode)]->setFocus(Qt::OtherFocusReason);
}

int FrmMain::TextIndexOf(const QObject* object) const {
  for (int i = 0; i < static_cast<int>(Text1.size()); ++i) {
    if (Text1[i] != nullptr && Text1[i] == object) return i;
  }
  return -1;
}

bool FrmMain::eventFilter(QObject* watched, QEvent* event) {
  const int index = TextIndexOf(watched);
  if (index >= 0) {
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::InputMethod) return Text1_KeyPress(index, event);
    if (event->type() == QEvent::FocusIn) Text1_GotFocus(index);
  }
  return QWidget::eventFilter(watched, event);
}

bool FrmMain::Text1_KeyPress(int index, QEvent* event) {
  if (event->type() == QEvent::InputMethod) {
    // Double-byte input arrives as an input method's text.
    return TakesAsciiOnly(index) && HasNonAscii(static_cast<QInputMethodEvent*>(event)->commitString());
  }
  auto* key = static_cast<QKeyEvent*>(event);
  const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
  if (index == BoxIndex(Field::PackageCode) && enter) {
    // The scanner ends each code with Enter: that starts the write.
    if (Option1[0]->isChecked() && !TextOf(index).trimmed().isEmpty()) StartTransfer(&RadioLink::StartWrite);
    return true;
  }
  if (!TakesAsciiOnly(index)) return false;
  if (key->matches(QKeySequence::Cut) || key->matches(QKeySequence::Copy) || key->matches(QKeySequence::Paste)) {
    return true;
  }
  if (enter) {
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QCoreApplication::sendEvent(Text1[index], &tab);
    return true;
  }
  return HasNonAscii(key->text());
}

void FrmMain::Text1_GotFocus(int index) {
  if (index == BoxIndex(Field::MaintainedDate) && TextOf(index).isEmpty()) {
    SetText(index, platform::ShortDateText(options_.today(), localeName_));
  }
  if (auto* line = qobject_cast<QLineEdit*>(Text1[index])) line->selectAll();
  if (auto* plain = qobject_cast<QPlainTextEdit*>(Text1[index])) plain->selectAll();
}

}  // namespace zr::window
