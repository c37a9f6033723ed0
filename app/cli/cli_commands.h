#pragma once

#include <QStringList>

namespace zr::cli {

// Runs a subcommand headless, with the same engine as the window; returns the
// exit status (ExitStatus in link/transfer_end.h, the endings' own in its
// table). `arguments` starts with the program name. Needs a QCoreApplication.
int RunSubcommand(const QStringList& arguments);

}  // namespace zr::cli
