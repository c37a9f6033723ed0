#pragma once

#include <QString>

#include "lang/ui_language.h"
#include "link/transfer_outcome.h"

namespace zr::window {

// How a transfer ended, for the window's status line: the station's word for
// what failed in the window's language, then the cause as the system, the
// serial port or the driver said it; a port this user may not open adds the
// dialout group. Empty for a success.
QString OutcomeStatus(const TransferOutcome& outcome, lang::UiLanguage uiLanguage);

}  // namespace zr::window
