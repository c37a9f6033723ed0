#pragma once

#include <QObject>

class QComboBox;

namespace zr::window {

// Whether the closed `list` cuts its selected entry: the entry is wider than
// the box's text field.
bool CutsSelectedEntry(const QComboBox& list);

// Shows a list's selected entry whole in the list's tooltip while the closed
// list cuts it; a list whose entry fits has no tooltip. The entries of the
// open list keep their texts.
class CutEntryTip : public QObject {
 public:
  using QObject::QObject;

  // From now on `list`'s tooltip follows its selected entry and its size.
  void Follow(QComboBox* list);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace zr::window
