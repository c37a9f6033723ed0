#pragma once

#include <QLabel>
#include <QString>

namespace zr::window {

// The window's line below the buttons: how a transfer goes, why it failed.
// Its text wraps, inside words too (a device path has no spaces), over as
// many lines as the line's height holds; a text that needs more ends in "…"
// and is shown whole in the tooltip. The operator can select and copy it.
class StatusLine : public QLabel {
 public:
  explicit StatusLine(QWidget* parent);

  void Show(const QString& text);
  // The whole text, however much of it is shown.
  const QString& Text() const { return text_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void Fit();

  QString text_;
};

}  // namespace zr::window
