#pragma once

#include <QTextStream>

#include "link/transfer_outcome.h"

namespace zr::cli {

// What happened to the radio, as the command line exits.
int ExitStatusOf(const TransferOutcome& outcome);

// The line after the station's message that says why, e.g.
// "zr93kw-setfactory: communication failed: read of line 0x30: no reply ...".
// Nothing for a plain success.
void PrintCause(QTextStream& err, const TransferOutcome& outcome);

}  // namespace zr::cli
