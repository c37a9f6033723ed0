#include "app/window/cut_entry_tip.h"

#include <QComboBox>
#include <QEvent>
#include <QStyle>
#include <QStyleOptionComboBox>

namespace zr::window {

namespace {

void UpdateTip(QComboBox& list) { list.setToolTip(CutsSelectedEntry(list) ? list.currentText() : QString()); }

}  // namespace

bool CutsSelectedEntry(const QComboBox& list) {
  QStyleOptionComboBox option;
  option.initFrom(&list);
  option.editable = list.isEditable();
  option.frame = list.hasFrame();
  option.currentText = list.currentText();
  const QRect field = list.style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, &list);
  // The style draws the entry one pixel in from each side of the field.
  return list.fontMetrics().horizontalAdvance(list.currentText()) > field.width() - 2;
}

void CutEntryTip::Follow(QComboBox* list) {
  list->installEventFilter(this);
  connect(list, &QComboBox::currentTextChanged, this, [list] { UpdateTip(*list); });
  UpdateTip(*list);
}

bool CutEntryTip::eventFilter(QObject* watched, QEvent* event) {
  // The same entry may fit or not after the box or its font changed.
  if (event->type() == QEvent::Resize || event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
    UpdateTip(*static_cast<QComboBox*>(watched));
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace zr::window
