#pragma once

#include <QString>
#include <memory>

#include "link/transfer_host.h"

class QMessageBox;
class QWidget;

namespace zr::window {

// Shows the window's message boxes. The window asks through this so that
// tests and the screenshot mode can answer the boxes without a person.
class MessagePresenter {
 public:
  virtual ~MessagePresenter() = default;
  // A modal box with `text` in the style's buttons and icon (MessageStyle);
  // returns the button pressed (MessageButton::None for the OK-only style).
  virtual MessageButton Present(QWidget* parent, const QString& text, MessageStyle style) = 0;
};

// The box MessageBoxPresenter shows, titled with the window's caption, not yet shown.
std::unique_ptr<QMessageBox> MakeMessageBox(QWidget* parent, const QString& text, MessageStyle style);

// Modal QMessageBoxes made by MakeMessageBox.
class MessageBoxPresenter : public MessagePresenter {
 public:
  MessageButton Present(QWidget* parent, const QString& text, MessageStyle style) override;
};

}  // namespace zr::window
