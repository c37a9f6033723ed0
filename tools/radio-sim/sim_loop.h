#pragma once

#include "tools/radio-sim/signal_watch.h"
#include "tools/radio-sim/sim_options.h"

namespace zr::sim {

// Sets up the radio and its port, prints the ready line and answers the
// station until a stop signal, the link's removal or --unplug-after. Returns
// the exit code; throws SetupError when it cannot start.
int RunSimulator(const SimOptions& options, SignalWatch& stops);

}  // namespace zr::sim
