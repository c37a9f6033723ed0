#include "app/cli/db_check_command.h"

#include <QCommandLineParser>
#include <QProcessEnvironment>
#include <QTextStream>

#include "app/cli/cli_options.h"
#include "app/cli/exit_status.h"
#include "app/cli/usage_error.h"
#include "db/connection_string.h"
#include "db/database_error.h"
#include "db/package_database.h"

namespace zr::cli {

int RunDbCheck(const QStringList& arguments) {
  QTextStream out(stdout);
  QTextStream err(stderr);
  QCommandLineParser parser;
  ParseSubcommandOptions(parser, arguments, FrontEnd::DbCheck);
  db::DatabaseSettings settings;
  if (parser.isSet(QStringLiteral("db-server"))) settings.server = parser.value(QStringLiteral("db-server"));
  if (parser.isSet(QStringLiteral("db-driver"))) settings.driver = parser.value(QStringLiteral("db-driver"));
  const QString serial = parser.value(QStringLiteral("serial"));
  if (parser.isSet(QStringLiteral("serial")) && serial.isEmpty()) throw UsageError("--serial needs a serial number");
  // What was tried is said once: here when it worked, in the error when not.
  out << "package database";
  try {
    db::PackageDatabase database(settings);
    const std::optional<QString> package = database.PackageCodeOf(serial);
    out << " (" << db::DescribeConnection(settings.server, settings.driver, QProcessEnvironment::systemEnvironment())
        << "): connected, the check statement runs\n";
    if (!serial.isEmpty()) {
      if (!package) {
        out << "no row for serial number " << serial << ": a write would record nothing for it\n";
      } else if (package->isEmpty()) {
        out << "serial number " << serial << ": no package recorded yet\n";
      } else {
        out << "serial number " << serial << ": package " << *package << '\n';
      }
    }
  } catch (const db::DatabaseError& error) {
    out << ": failed\n";
    out.flush();
    err << "zr93kw-setfactory: " << error.what() << '\n';
    return ExitStatus::DatabaseFailed;
  }
  out.flush();
  return ExitStatus::Success;
}

}  // namespace zr::cli
