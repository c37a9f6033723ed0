#pragma once

#include <QRadioButton>
#include <span>

namespace zr::window {

// Tab enters an option group at its selected option and leaves the group from
// there, as option groups do on the system the window was designed for; a
// click still reaches any option, and the arrow keys still move in the group.
// With no option selected, Tab stops at each.
void TabToSelectedOption(std::span<QRadioButton* const> group);

}  // namespace zr::window
