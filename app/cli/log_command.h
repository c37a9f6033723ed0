#pragma once

#include <QTextStream>

#include "app/cli/cli_options.h"

namespace zr::cli {

// `log`: the station log as a table of the transfers (time in UTC, port,
// operation, outcome, serial number, package, backup, the fields the write
// changed, cause; a write once, by its outcome, or as "interrupted, no
// outcome" when only its "write started" entry is there), or with --json the
// kept entries' lines as stored. Reads the log a line at a time, however
// large. Lines that hold no entry are named on `err`. Returns the exit
// status: 0, also when there is no log yet; 1 when the log cannot be read.
int ShowStationLog(const LogOptions& options, QTextStream& out, QTextStream& err);

}  // namespace zr::cli
