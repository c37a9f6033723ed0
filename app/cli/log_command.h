#pragma once

#include <QTextStream>

#include "app/cli/cli_options.h"

namespace zr::cli {

// `log`: the station log as a table of the transfers (time on the station's
// clock, port, operation, outcome, serial number, package, the fields the
// write changed), or with --json the kept entries' lines as stored. Lines
// that hold no entry are named on `err`. Returns the exit status: 0, also
// when there is no log yet; 1 when the log cannot be read.
int ShowStationLog(const LogOptions& options, QTextStream& out, QTextStream& err);

}  // namespace zr::cli
