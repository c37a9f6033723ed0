#include "app/cli/cli_commands.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDate>
#include <QJsonDocument>
#include <QTextStream>
#include <cstdio>
#include <memory>
#include <optional>

#include "app/cli/cli_host.h"
#include "app/cli/window_field_names.h"
#include "app/window/port_list.h"
#include "db/package_database.h"
#include "lang/ui_language.h"
#include "link/qt_serial_device.h"
#include "link/radio_link.h"
#include "link/traced_serial_device.h"
#include "platform/ansi_code_page.h"
#include "platform/settings_file.h"
#include "platform/system_locale.h"

namespace zr::cli {

namespace {

constexpr int UsageStatus = 1;

const char* const UsageText =
    "usage:\n"
    "  zr93kw-setfactory [--db-server NAME] [--db-driver NAME] [--screenshot FILE.png]\n"
    "                                           open the station window\n"
    "  zr93kw-setfactory read --port N [--json] [--trace]\n"
    "  zr93kw-setfactory write --port N [--set FIELD=VALUE]... [--read-first]\n"
    "                          [--band-change ok|cancel] [--json] [--trace]\n"
    "                          [--package CODE [--db-server NAME] [--db-driver NAME]]\n"
    "  zr93kw-setfactory ports\n"
    "\n"
    "--port takes N or COMN. --trace prints every frame on standard error.\n"
    "Exit status: 0 success, 1 bad usage, 2 cannot open the port, 3 communication\n"
    "failed, 4 wrong model, 5 write refused, 6 written but the package association\n"
    "is missing.\n"
    "--package writes in scan-code write mode: the radio's serial number is then\n"
    "recorded against CODE in the production database (--db-server, default\n"
    "localhost; --db-driver, the ODBC driver, default FreeTDS).\n";

struct TransferOptions {
  qint16 port = 0;
  bool json = false;
  bool trace = false;
  bool readFirst = false;
  bool bandChangeOk = false;
  std::vector<std::pair<QString, QString>> sets;
  std::optional<QString> packageCode;  // scan-code write mode
  db::DatabaseSettings database;
};

qint16 ParsePort(const QString& text) {
  QString digits = text;
  if (digits.startsWith(QLatin1String("COM"), Qt::CaseInsensitive)) digits = digits.mid(3);
  bool ok = false;
  const int port = digits.toInt(&ok);
  if (!ok || port < 1 || port > 32767 || digits.startsWith(QLatin1Char('+'))) {
    throw UsageError(QStringLiteral("--port takes a port number such as 3 or COM3, not '%1'").arg(text).toStdString());
  }
  return static_cast<qint16>(port);
}

TransferOptions ParseTransferOptions(const QStringList& arguments, bool write) {
  QCommandLineParser parser;
  const QCommandLineOption port(QStringLiteral("port"), QString(), QStringLiteral("N"));
  const QCommandLineOption json(QStringLiteral("json"));
  const QCommandLineOption trace(QStringLiteral("trace"));
  const QCommandLineOption set(QStringLiteral("set"), QString(), QStringLiteral("FIELD=VALUE"));
  const QCommandLineOption readFirst(QStringLiteral("read-first"));
  const QCommandLineOption bandChange(QStringLiteral("band-change"), QString(), QStringLiteral("ok|cancel"));
  const QCommandLineOption package(QStringLiteral("package"), QString(), QStringLiteral("CODE"));
  const QCommandLineOption dbServer(QStringLiteral("db-server"), QString(), QStringLiteral("NAME"));
  const QCommandLineOption dbDriver(QStringLiteral("db-driver"), QString(), QStringLiteral("NAME"));
  parser.addOptions({port, json, trace});
  if (write) parser.addOptions({set, readFirst, bandChange, package, dbServer, dbDriver});
  // The subcommand is the first positional argument; the parser sees the rest.
  QStringList rest = arguments;
  rest.removeAt(1);
  if (!parser.parse(rest)) throw UsageError(parser.errorText().toStdString());
  if (!parser.positionalArguments().isEmpty()) {
    throw UsageError("unexpected argument '" + parser.positionalArguments().front().toStdString() + "'");
  }
  if (!parser.isSet(port)) throw UsageError("--port is required");

  TransferOptions options;
  options.port = ParsePort(parser.value(port));
  options.json = parser.isSet(json);
  options.trace = parser.isSet(trace);
  if (!write) return options;
  options.readFirst = parser.isSet(readFirst);
  if (parser.isSet(bandChange)) {
    const QString answer = parser.value(bandChange).toLower();
    if (answer != QLatin1String("ok") && answer != QLatin1String("cancel")) {
      throw UsageError("--band-change takes ok or cancel, not '" + parser.value(bandChange).toStdString() + "'");
    }
    options.bandChangeOk = answer == QLatin1String("ok");
  }
  for (const QString& assignment : parser.values(set)) {
    const qsizetype equals = assignment.indexOf(QLatin1Char('='));
    if (equals <= 0) throw UsageError("--set takes FIELD=VALUE, not '" + assignment.toStdString() + "'");
    options.sets.emplace_back(assignment.left(equals), assignment.mid(equals + 1));
  }
  if (parser.isSet(package)) {
    options.packageCode = parser.value(package);
    if (options.packageCode->trimmed().isEmpty()) throw UsageError("--package needs a package code");
  } else if (parser.isSet(dbServer) || parser.isSet(dbDriver)) {
    throw UsageError("--db-server and --db-driver go with --package");
  }
  if (parser.isSet(dbServer)) options.database.server = parser.value(dbServer);
  if (parser.isSet(dbDriver)) options.database.driver = parser.value(dbDriver);
  return options;
}

// Runs one Read or Write command to its end, as the window's event loop would.
TransferResult RunTransfer(RadioLink& link, CliHost& host, qint16 mode) {
  host.ResetResult();
  if (link.StartTransfer(mode)) {
    while (link.Busy()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  }
  return host.Result();
}

void PrintFields(QTextStream& out, const WindowFields& fields, bool triBandCapable, bool json) {
  if (json) {
    out << QJsonDocument(ShownFieldsJson(fields, triBandCapable)).toJson(QJsonDocument::Indented);
    return;
  }
  for (const auto& [name, value] : ShownFieldLines(fields, triBandCapable)) out << name << ": " << value << '\n';
}

int RunTransferCommand(const QStringList& arguments, bool write) {
  QTextStream out(stdout);
  QTextStream err(stderr);
  TransferOptions options;
  try {
    options = ParseTransferOptions(arguments, write);
    WindowFields check;
    for (const auto& [name, value] : options.sets) SetWindowField(check, name, value);
  } catch (const UsageError& error) {
    err << "zr93kw-setfactory: " << error.what() << '\n' << UsageText;
    return UsageStatus;
  }

  StationState state;
  db::PackageDatabase database(options.database);
  CliHost::Database association;
  if (options.packageCode) {
    association.saveAssociation = [&](const QString& serial, const QString& code) {
      return database.SaveAssociation(serial, code);
    };
    association.associationExists = [&](const QString& serial, const QString& code) {
      return database.AssociationExists(serial, code);
    };
  }
  // The rebuild question is answered No: an automated line reports the gap instead.
  CliHost host(state, err, CliHost::Answers{options.bandChangeOk, false}, association);

  // The window's start-up: the start-up record shown, the band list at 0.
  const QString locale = platform::SystemLocaleName();
  InitRecord(state.FactoryRecord, QDate::currentDate(), locale);
  state.UiLanguage = lang::SystemUiLanguage();
  state.CurrentComPort = options.port;
  host.ShowByData();
  for (const auto& [name, value] : options.sets) SetWindowField(host.Fields(), name, value);
  if (options.packageCode) host.Fields().Text1[TextBox::PackageCode] = options.packageCode->left(TextBoxLimit(TextBox::PackageCode));

  const platform::AnsiCodePage codePage = platform::AnsiCodePage::System();
  platform::SettingsFile settings(platform::ProgramSettingsPath());
  QtSerialDevice serial;
  std::unique_ptr<TracedSerialDevice> traced;
  if (options.trace) traced = std::make_unique<TracedSerialDevice>(serial, err);
  SerialDevice& device = traced ? static_cast<SerialDevice&>(*traced) : serial;
  RadioLink link(state, host, device, settings, codePage);

  if (write && options.readFirst) {
    const TransferResult read = RunTransfer(link, host, OperationModes::Read);
    if (read != TransferResult::Success) return static_cast<int>(read);
    for (const auto& [name, value] : options.sets) SetWindowField(host.Fields(), name, value);
  }
  const TransferResult result = RunTransfer(link, host, write ? OperationModes::Write : OperationModes::Read);
  if (result == TransferResult::Success || result == TransferResult::AssociationMissing) {
    PrintFields(out, host.Fields(), state.TriBandCapable, options.json);
  }
  if (result == TransferResult::AssociationMissing) {
    err << "zr93kw-setfactory: the radio is written, but its package association is missing in the database\n";
  }
  return static_cast<int>(result);
}

// The window's port list, in its order, with the device each entry opens.
int RunPorts() {
  QTextStream out(stdout);
  for (const window::PortListEntry& entry : window::EnumComPortEntries()) {
    out << qSetFieldWidth(7) << Qt::left << entry.name << qSetFieldWidth(0) << entry.device << '\n';
  }
  return 0;
}

}  // namespace

int RunSubcommand(const QStringList& arguments) {
  const QString command = arguments.value(1);
  if (command == QLatin1String("read")) return RunTransferCommand(arguments, false);
  if (command == QLatin1String("write")) return RunTransferCommand(arguments, true);
  if (command == QLatin1String("ports") && arguments.size() == 2) return RunPorts();
  if (command == QLatin1String("help") || command == QLatin1String("--help") || command == QLatin1String("-h")) {
    QTextStream(stdout) << UsageText;
    return 0;
  }
  QTextStream(stderr) << "zr93kw-setfactory: unknown command '" << arguments.mid(1).join(QLatin1Char(' ')) << "'\n"
                      << UsageText;
  return UsageStatus;
}

}  // namespace zr::cli
