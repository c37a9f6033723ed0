// zr93kw-setfactory: with no subcommand the station window; with a subcommand
// (read, write, ports) the same engine headless.
#include <fcntl.h>
#include <unistd.h>

#include <QCoreApplication>
#include <cstring>

#include "app/cli/cli_commands.h"
#include "app/window/window_main.h"

namespace {

// A port's file descriptor doubles as its handle, and handle 0 means "no
// port": keep 0, 1 and 2 taken even when started without them.
void KeepStandardDescriptorsTaken() {
  for (int fd = 0; fd <= 2; ++fd) {
    if (fcntl(fd, F_GETFD) == -1) open("/dev/null", O_RDWR);
  }
}

// A first argument that is not an option names a subcommand; "--help" and
// "-h" alone give the command line's usage.
bool IsSubcommand(int argc, char** argv) {
  if (argc < 2) return false;
  const char* first = argv[1];
  return first[0] != '-' || std::strcmp(first, "--help") == 0 || std::strcmp(first, "-h") == 0;
}

}  // namespace

int main(int argc, char** argv) {
  KeepStandardDescriptorsTaken();
  if (!IsSubcommand(argc, argv)) return zr::window::RunWindow(argc, argv);
  QCoreApplication app(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("zr93kw-setfactory"));
  return zr::cli::RunSubcommand(QCoreApplication::arguments());
}
