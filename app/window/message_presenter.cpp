#include "app/window/message_presenter.h"

#include <QKeyEvent>
#include <QMessageBox>

#include "app/window/window_captions.h"
#include "link/transfer_host.h"

namespace zr::window {

namespace {

// A question that only its buttons answer: Qt would take Escape and the
// close button for No.
class AnswerRequired : public QObject {
 public:
  using QObject::QObject;

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

std::unique_ptr<QMessageBox> MakeMessageBox(QWidget* parent, const QString& text, MessageStyle style) {
  auto box = std::make_unique<QMessageBox>(parent);
  box->setWindowTitle(WindowCaption);
  box->setText(text);
  if (style == MessageStyle::OkCancelWarning) {
    box->setIcon(QMessageBox::Warning);
    box->setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
    box->setDefaultButton(QMessageBox::Ok);
  } else if (style == MessageStyle::YesNo) {
    box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box->setDefaultButton(QMessageBox::Yes);
    box->installEventFilter(new AnswerRequired(box.get()));
  } else {
    box->setStandardButtons(QMessageBox::Ok);
  }
  return box;
}

MessageButton MessageBoxPresenter::Present(QWidget* parent, const QString& text, MessageStyle style) {
  const std::unique_ptr<QMessageBox> box = MakeMessageBox(parent, text, style);
  const int clicked = box->exec();
  switch (style) {
    case MessageStyle::OkCancelWarning:
      return clicked == QMessageBox::Ok ? MessageButton::Ok : MessageButton::Cancel;
    case MessageStyle::YesNo:
      return clicked == QMessageBox::Yes ? MessageButton::Yes : MessageButton::No;
    case MessageStyle::OkOnly:
      break;
  }
  return MessageButton::None;
}

}  // namespace zr::window
