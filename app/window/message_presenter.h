#pragma once

#include <QString>

class QWidget;

namespace zr::window {

// Shows the window's message boxes. The window asks through this so that
// tests and the screenshot mode can answer the boxes without a person.
class MessagePresenter {
 public:
  virtual ~MessagePresenter() = default;
  // A modal box with `text` in the style's buttons and icon (MessageStyle);
  // returns the button code (MessageButton), 0 for the OK-only style.
  virtual int Present(QWidget* parent, const QString& text, int style) = 0;
};

// Modal QMessageBoxes titled with the window's caption.
class MessageBoxPresenter : public MessagePresenter {
 public:
  int Present(QWidget* parent, const QString& text, int style) override;
};

}  // namespace zr::window
