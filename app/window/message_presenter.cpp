#include "app/window/message_presenter.h"

#include <QKeyEvent>
#include <QMessageBox>

#include "lang/captions.h"
#include "link/transfer_host.h"

namespace zr::window {

namespace {

// A question that only its buttons answer: Qt would take Escape and the
// close button for No.
class AnswerRequired : public QObject {
 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Close) {
      event->ignore();
      return true;
    }
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->matches(QKeySequence::Cancel)) {
      return true;
    }
    return QObject::eventFilter(watched, event);
  }
};

}  // namespace

MessageButton MessageBoxPresenter::Present(QWidget* parent, const QString& text, MessageStyle style) {
  QMessageBox box(parent);
  box.setWindowTitle(lang::WindowCaption);
  box.setText(text);
  if (style == MessageStyle::OkCancelWarning) {
    box.setIcon(QMessageBox::Warning);
    box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
    box.setDefaultButton(QMessageBox::Ok);
    return box.exec() == QMessageBox::Ok ? MessageButton::Ok : MessageButton::Cancel;
  }
  if (style == MessageStyle::YesNo) {
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(QMessageBox::Yes);
    AnswerRequired answerRequired;
    box.installEventFilter(&answerRequired);
    return box.exec() == QMessageBox::Yes ? MessageButton::Yes : MessageButton::No;
  }
  box.setStandardButtons(QMessageBox::Ok);
  box.exec();
  return MessageButton::None;
}

}  // namespace zr::window
