#include "app/window/list_wheel_guard.h"

#include <QComboBox>
#include <QEvent>

namespace zr::window {

void ListWheelGuard::Guard(QComboBox* list) {
  list->setFocusPolicy(Qt::StrongFocus);
  list->installEventFilter(this);
}

bool ListWheelGuard::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Wheel && !static_cast<QWidget*>(watched)->hasFocus()) {
    // Ignored, the event goes on to the list's parents.
    event->ignore();
    return true;
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace zr::window
