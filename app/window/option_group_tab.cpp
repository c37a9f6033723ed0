#include "app/window/option_group_tab.h"

#include <algorithm>
#include <vector>

namespace zr::window {

namespace {

void SetTabStops(const std::vector<QRadioButton*>& group) {
  const bool anySelected = std::any_of(group.begin(), group.end(), [](QRadioButton* b) { return b->isChecked(); });
  for (QRadioButton* option : group) {
    option->setFocusPolicy(!anySelected || option->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
  }
}

}  // namespace

void TabToSelectedOption(std::span<QRadioButton* const> group) {
  const std::vector<QRadioButton*> options(group.begin(), group.end());
  for (QRadioButton* option : options) {
    QObject::connect(option, &QAbstractButton::toggled, option, [options] { SetTabStops(options); });
  }
  SetTabStops(options);
}

}  // namespace zr::window
