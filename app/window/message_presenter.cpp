#include "app/window/message_presenter.h"

#include <QMessageBox>

#include "lang/captions.h"
#include "link/transfer_host.h"

namespace zr::window {

int MessageBoxPresenter::Present(QWidget* parent, const QString& text, int style) {
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
    return box.exec() == QMessageBox::Yes ? MessageButton::Yes : MessageButton::No;
  }
  box.setStandardButtons(QMessageBox::Ok);
  box.exec();
  return MessageButton::None;
}

}  // namespace zr::window
