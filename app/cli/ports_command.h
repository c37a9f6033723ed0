#pragma once

#include <QStringList>

namespace zr::cli {

// `ports [--json]`: the window's port list in its order, each port with its
// device and what the system knows of it (description, maker, USB id, serial
// number), and the settings file in use. Returns the exit status; raises
// UsageError for bad usage.
int RunPorts(const QStringList& arguments);

}  // namespace zr::cli
