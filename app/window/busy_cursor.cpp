#include "app/window/busy_cursor.h"

#include <QApplication>

namespace zr::window {

void BusyCursor::Show() {
  if (shown_) return;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  shown_ = true;
}

void BusyCursor::Hide() {
  if (!shown_) return;
  QApplication::restoreOverrideCursor();
  shown_ = false;
}

}  // namespace zr::window
