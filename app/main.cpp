// zr93kw-setfactory: with no subcommand the station window; with a subcommand
// the same engine headless (read, write, undo), the ports, the station log or
// the package database's check.
#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

#include <QCoreApplication>
#include <QTextStream>
#include <cstdlib>

#include "app/cli/cli_commands.h"
#include "app/cli/cli_options.h"
#include "app/window/window_main.h"
#include "platform/own_console.h"
#include "platform/termination_signals.h"

namespace {

// A port's file descriptor doubles as its handle, and handle 0 means "no
// port": keep 0, 1 and 2 taken even when started without them. Windows
// never hands out handle 0.
void KeepStandardDescriptorsTaken() {
#ifndef _WIN32
  for (int fd = 0; fd <= 2; ++fd) {
    if (fcntl(fd, F_GETFD) == -1) open("/dev/null", O_RDWR);
  }
#endif
}

#ifdef _WIN32
// A Windows session always has its desktop.
bool HasDisplay() { return true; }
#else
bool IsSet(const char* variable) {
  const char* value = std::getenv(variable);
  return value != nullptr && *value != '\0';
}

// Whether Qt can show a window here: an X or Wayland display, or a platform
// chosen on purpose (offscreen for screenshots and tests).
bool HasDisplay() { return IsSet("DISPLAY") || IsSet("WAYLAND_DISPLAY") || IsSet("QT_QPA_PLATFORM"); }
#endif

}  // namespace

int main(int argc, char** argv) {
  KeepStandardDescriptorsTaken();
  // Before any thread exists, so that every thread leaves the signals to the watcher.
  zr::platform::BlockTerminationSignals();

  // The arguments are read before any application object exists: without a
  // display the window's application would abort inside Qt.
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  // Build tools (help2man) ask for it where there is no display.
  if (arguments.contains(QLatin1String("--version"))) {
    QTextStream(stdout) << "zr93kw-setfactory " ZR_VERSION "\n";
    return 0;
  }
  const int subcommand = zr::cli::SubcommandIndex(arguments);
  const bool help = arguments.contains(QLatin1String("--help")) || arguments.contains(QLatin1String("-h"));
  if (subcommand < 0 && !help) {
    if (!HasDisplay()) {
      QTextStream(stderr) << "zr93kw-setfactory: no display to open the window on (DISPLAY and WAYLAND_DISPLAY "
                             "are unset); the subcommands work without one, see zr93kw-setfactory --help\n";
      return 1;
    }
    zr::platform::ReleaseOwnConsole();
    return zr::window::RunWindow(argc, argv);
  }
  QCoreApplication app(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("zr93kw-setfactory"));
  // The subcommand goes first; options may stand before it.
  QStringList ordered{arguments.front()};
  if (subcommand >= 0) ordered << arguments[subcommand];
  for (int i = 1; i < arguments.size(); ++i) {
    if (i != subcommand) ordered << arguments[i];
  }
  if (subcommand < 0) ordered.insert(1, QStringLiteral("help"));
  return zr::cli::RunSubcommand(ordered);
}
