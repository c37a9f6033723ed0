// zr93kw-setfactory: with no arguments the station window; with a subcommand
// (read, write, ports) the same engine headless.
#include <fcntl.h>
#include <unistd.h>

#include <QCoreApplication>

#include "app/cli/cli_commands.h"

namespace {

// A port's file descriptor doubles as its handle, and handle 0 means "no
// port": keep 0, 1 and 2 taken even when started without them.
void KeepStandardDescriptorsTaken() {
  for (int fd = 0; fd <= 2; ++fd) {
    if (fcntl(fd, F_GETFD) == -1) open("/dev/null", O_RDWR);
  }
}

}  // namespace

int main(int argc, char** argv) {
  KeepStandardDescriptorsTaken();
  QCoreApplication app(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("zr93kw-setfactory"));
  const QStringList arguments = QCoreApplication::arguments();
  return zr::cli::RunSubcommand(arguments.size() > 1 ? arguments
                                                     : QStringList{arguments.value(0), QStringLiteral("help")});
}
