#include <QCoreApplication>
#include <cstdio>

#include "tools/radio-sim/setup_error.h"
#include "tools/radio-sim/signal_watch.h"
#include "tools/radio-sim/sim_loop.h"
#include "tools/radio-sim/sim_options.h"

int main(int argc, char* argv[]) {
  try {
    zr::sim::SignalWatch stops;
    const QCoreApplication application(argc, argv);
    const zr::sim::CommandLine commandLine =
        zr::sim::ParseCommandLine(QCoreApplication::arguments(), qEnvironmentVariable(zr::sim::PortDirVariable));
    if (!commandLine.options) {
      std::fputs(qPrintable(commandLine.text), stdout);
      return 0;
    }
    return zr::sim::RunSimulator(*commandLine.options, stops);
  } catch (const zr::sim::SetupError& error) {
    std::fprintf(stderr, "zr93kw-radio-sim: %s\n", error.what());
    return 1;
  }
}
