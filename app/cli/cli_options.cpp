#include "app/cli/cli_options.h"

#include <QCommandLineParser>
#include <algorithm>

#include "app/cli/command_options.h"
#include "app/cli/usage_error.h"
#include "platform/serial_devices.h"
#include "record/factory_fields.h"

namespace zr::cli {

void ParseSubcommandOptions(QCommandLineParser& parser, const QStringList& arguments, FrontEnd subcommand) {
  // The subcommand is the first positional argument; the parser sees the rest.
  QStringList rest = arguments;
  rest.removeAt(1);
  if (const QString why = ParseOptions(parser, rest, subcommand); !why.isEmpty()) throw UsageError(why.toStdString());
}

namespace {

QDateTime ParseSince(const QString& text) {
  // A bare date is the start of that day, and a time without Z or an offset
  // is local: the station's clock, as the operator reads it.
  const QDateTime since = QDateTime::fromString(text, Qt::ISODateWithMs);
  if (!since.isValid()) {
    throw UsageError("--since takes a date such as 2026-12-06 or a time such as 2026-12-06T10:42:00Z, not '" +
                     text.toStdString() + "'");
  }
  return since;
}

}  // namespace

std::optional<int> ParseDecimal(QStringView text, int maximum) {
  if (text.isEmpty() || text.size() > 9) return std::nullopt;
  int value = 0;
  for (QChar c : text) {
    if (c < QLatin1Char('0') || c > QLatin1Char('9')) return std::nullopt;
    value = value * 10 + (c.unicode() - '0');
  }
  if (value > maximum) return std::nullopt;
  return value;
}

qint16 ParsePort(const QString& text) {
  // A device path names its port by the port list's rules, so that the
  // settings and the log still speak of COM numbers.
  if (text.startsWith(QLatin1Char('/'))) {
    const std::optional<int> number = platform::ComNumberOfDevicePath(text);
    if (!number || *number > 32767) {
      throw UsageError(QStringLiteral("--port: %1 is none of this PC's serial ports (see 'zr93kw-setfactory ports')")
                           .arg(text)
                           .toStdString());
    }
    return static_cast<qint16>(*number);
  }
  QStringView digits = text;
  if (digits.startsWith(QLatin1String("COM"), Qt::CaseInsensitive)) digits = digits.mid(3);
  const std::optional<int> port = ParseDecimal(digits, 32767);
  if (!port || *port < 1) {
    throw UsageError(
        QStringLiteral("--port takes a port number such as 3, COM3 or a device path, not '%1'").arg(text).toStdString());
  }
  return static_cast<qint16>(*port);
}

int SubcommandIndex(const QStringList& arguments) {
  for (int i = 1; i < arguments.size(); ++i) {
    const QString& argument = arguments[i];
    if (argument == QLatin1String("--")) return i + 1 < arguments.size() ? i + 1 : -1;
    if (!argument.startsWith(QLatin1Char('-'))) return i;
    if (TakesValue(argument)) ++i;
  }
  return -1;
}

TransferOptions ParseTransferOptions(const QStringList& arguments, TransferCommand command) {
  QCommandLineParser parser;
  const QString port = QStringLiteral("port");
  const QString json = QStringLiteral("json");
  const QString trace = QStringLiteral("trace");
  const QString set = QStringLiteral("set");
  const QString readFirst = QStringLiteral("read-first");
  const QString fromDefaults = QStringLiteral("from-defaults");
  const QString bandChange = QStringLiteral("band-change");
  const QString package = QStringLiteral("package");
  const QString dbServer = QStringLiteral("db-server");
  const QString dbDriver = QStringLiteral("db-driver");
  const QString save = QStringLiteral("save");
  const QString image = QStringLiteral("image");
  const QString otherRadio = QStringLiteral("other-radio");
  const QString log = QStringLiteral("log");
  const QString backupDir = QStringLiteral("backup-dir");
  const QString noBackup = QStringLiteral("no-backup");
  const QString verify = QStringLiteral("verify");
  ParseSubcommandOptions(parser, arguments,
                         command == TransferCommand::Read   ? FrontEnd::Read
                         : command == TransferCommand::Undo ? FrontEnd::Undo
                                                            : FrontEnd::Write);
  if (!parser.isSet(port)) throw UsageError("--port is required");

  TransferOptions parsed;
  parsed.command = command;
  parsed.port = ParsePort(parser.value(port));
  parsed.trace = parser.isSet(trace);
  parsed.records.logPath = parser.value(log);
  if (parser.isSet(log) && parsed.records.logPath.isEmpty()) throw UsageError("--log needs a file name");
  if (command == TransferCommand::Read) {
    parsed.json = parser.isSet(json);
    parsed.saveFile = parser.value(save);
    if (parser.isSet(save) && parsed.saveFile.isEmpty()) throw UsageError("--save needs a file name");
    return parsed;
  }
  parsed.records.backupDir = parser.value(backupDir);
  parsed.records.verify = parser.isSet(verify);
  if (parser.isSet(backupDir) && parsed.records.backupDir.isEmpty()) throw UsageError("--backup-dir needs a folder");
  // An undo keeps a backup of its own, so that it can be undone too.
  if (command == TransferCommand::Undo) return parsed;
  parsed.json = parser.isSet(json);
  parsed.records.backup = !parser.isSet(noBackup);
  if (parser.isSet(noBackup) && parser.isSet(backupDir)) throw UsageError("--no-backup and --backup-dir exclude each other");
  parsed.imageFile = parser.value(image);
  parsed.otherRadio = parser.isSet(otherRadio);
  if (parser.isSet(image)) {
    if (parsed.imageFile.isEmpty()) throw UsageError("--image needs a file name");
    if (parser.isSet(set) || parser.isSet(readFirst) || parser.isSet(fromDefaults) || parser.isSet(bandChange)) {
      throw UsageError(
          "--image writes the block file as it is: --set, --read-first, --from-defaults and --band-change do not go "
          "with it");
    }
  } else if (parsed.otherRadio) {
    throw UsageError("--other-radio goes with --image");
  }
  // --read-first is what a write does anyway; scripts that give it keep working.
  if (parser.isSet(readFirst) && parser.isSet(fromDefaults)) {
    throw UsageError("--read-first and --from-defaults exclude each other");
  }
  parsed.readFirst = !parser.isSet(fromDefaults);
  if (parser.isSet(bandChange)) {
    const QString answer = parser.value(bandChange).toLower();
    if (answer != QLatin1String("ok") && answer != QLatin1String("cancel")) {
      throw UsageError("--band-change takes ok or cancel, not '" + parser.value(bandChange).toStdString() + "'");
    }
    parsed.bandChange = answer == QLatin1String("ok");
  }
  for (const QString& assignment : parser.values(set)) {
    const qsizetype equals = assignment.indexOf(QLatin1Char('='));
    if (equals <= 0) throw UsageError("--set takes FIELD=VALUE, not '" + assignment.toStdString() + "'");
    // Which of two values was meant is a guess the station does not make.
    const QString name = assignment.left(equals);
    if (std::ranges::any_of(parsed.sets, [&](const auto& set) { return set.first == name; })) {
      throw UsageError("--set " + name.toStdString() + " is given more than once");
    }
    parsed.sets.emplace_back(name, assignment.mid(equals + 1));
  }
  // Without the radio's band known before the write, a band given without an
  // answer to the band-change question could change the radio's band unasked.
  const bool setsBand = std::any_of(parsed.sets.begin(), parsed.sets.end(),
                                    [](const auto& set) { return set.first == QLatin1String("BandIndex"); });
  if (setsBand && !parsed.readFirst && !parsed.bandChange) {
    throw UsageError("--set BandIndex with --from-defaults needs --band-change ok or cancel");
  }
  if (parser.isSet(package)) {
    parsed.packageCode = parser.value(package);
    if (parsed.packageCode->trimmed().isEmpty()) throw UsageError("--package needs a package code");
    if (const int width = FieldOf(Field::PackageCode).width; parsed.packageCode->size() > width) {
      throw UsageError(QStringLiteral("--package holds at most %1 characters, not %2")
                           .arg(width).arg(parsed.packageCode->size()).toStdString());
    }
  } else if (parser.isSet(dbServer) || parser.isSet(dbDriver)) {
    throw UsageError("--db-server and --db-driver go with --package");
  }
  if (parser.isSet(dbServer)) parsed.database.server = parser.value(dbServer);
  if (parser.isSet(dbDriver)) parsed.database.driver = parser.value(dbDriver);
  return parsed;
}

LogOptions ParseLogOptions(const QStringList& arguments) {
  QCommandLineParser parser;
  const QString log = QStringLiteral("log");
  const QString serial = QStringLiteral("serial");
  const QString since = QStringLiteral("since");
  const QString json = QStringLiteral("json");
  ParseSubcommandOptions(parser, arguments, FrontEnd::Log);

  LogOptions parsed;
  parsed.json = parser.isSet(json);
  if (parser.isSet(log)) {
    parsed.logPath = parser.value(log);
    if (parsed.logPath.isEmpty()) throw UsageError("--log needs a file name");
  }
  if (parser.isSet(serial)) {
    parsed.serial = parser.value(serial);
    if (parsed.serial->isEmpty()) throw UsageError("--serial needs a serial number");
  }
  if (parser.isSet(since)) parsed.since = ParseSince(parser.value(since));
  return parsed;
}

}  // namespace zr::cli
