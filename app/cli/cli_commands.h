#pragma once

#include <QStringList>

namespace zr::cli {

// Runs a subcommand headless, with the same engine as the window; returns the
// exit status (0 success, 1 bad usage, 2 cannot open the port, 3 communication
// failed, 4 wrong model, 5 write refused, 6 association missing).
// `arguments` starts with the program name. Needs a QCoreApplication.
int RunSubcommand(const QStringList& arguments);

}  // namespace zr::cli
