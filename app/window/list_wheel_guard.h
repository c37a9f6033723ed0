#pragma once

#include <QObject>

class QComboBox;

namespace zr::window {

// Keeps the mouse wheel off the lists that do not have the focus: one notch
// over such a list would change it unseen (and a changed list goes to the
// radio or the settings file). Over them the wheel goes on to the window as
// over any other control.
class ListWheelGuard : public QObject {
 public:
  using QObject::QObject;

  // From now on `list` follows the wheel only while it has the focus, and the
  // wheel no longer gives it the focus.
  void Guard(QComboBox* list);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace zr::window
