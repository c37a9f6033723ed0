#include "app/cli/cli_commands.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDate>
#include <QJsonDocument>
#include <QTextStream>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>

#include "app/cli/cli_host.h"
#include "app/cli/cli_options.h"
#include "app/cli/exit_status.h"
#include "app/cli/window_field_names.h"
#include "app/window/port_list.h"
#include "db/package_database.h"
#include "lang/ui_language.h"
#include "link/qt_serial_device.h"
#include "link/radio_link.h"
#include "link/traced_serial_device.h"
#include "platform/ansi_code_page.h"
#include "platform/serial_devices.h"
#include "platform/settings_file.h"
#include "platform/system_locale.h"
#include "platform/termination_signals.h"
#include "record/factory_fields.h"

namespace zr::cli {

namespace {

const char* const UsageText =
    "usage:\n"
    "  zr93kw-setfactory [--db-server NAME] [--db-driver NAME] [--screenshot FILE.png]\n"
    "                                           open the station window\n"
    "  zr93kw-setfactory read --port N [--json] [--trace]\n"
    "  zr93kw-setfactory write --port N [--set FIELD=VALUE]... [--read-first]\n"
    "                          [--band-change ok|cancel] [--json] [--trace]\n"
    "                          [--package CODE [--db-server NAME] [--db-driver NAME]]\n"
    "  zr93kw-setfactory ports\n"
    "  zr93kw-setfactory --help | --version\n"
    "\n"
    "--port takes N or COMN. --trace prints every frame on standard error.\n"
    "Exit status: 0 success; 1 bad usage or a refused value, nothing sent; 2 the\n"
    "port could not be opened, nothing sent; 3 communication failed; 4 wrong model;\n"
    "5 write refused; 6 written, but the package association is missing; 7 written,\n"
    "but the database failed; 8 another run-time error; 11 the output could not be\n"
    "written; 128 + N stopped by signal N (SIGHUP 129, SIGINT 130, SIGTERM 143).\n"
    "--package writes in scan-code write mode: the radio's serial number is then\n"
    "recorded against CODE in the production database (--db-server, default\n"
    "localhost; --db-driver, the ODBC driver, default FreeTDS).\n";

QString SignalName(int signalNumber) {
  switch (signalNumber) {
    case SIGINT: return QStringLiteral("SIGINT");
    case SIGTERM: return QStringLiteral("SIGTERM");
    case SIGHUP: return QStringLiteral("SIGHUP");
    default: return QStringLiteral("signal %1").arg(signalNumber);
  }
}

// Runs one Read or Write command to its end, as the window's event loop would.
TransferOutcome RunTransfer(RadioLink& link, bool write) {
  if (write ? link.StartWrite() : link.StartRead()) {
    while (link.Busy()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  }
  // A start that failed without an outcome would be a second command during a transfer.
  return link.Outcome().value_or(
      TransferOutcome{.end = TransferEnd::PortNotOpened, .cause = QStringLiteral("a transfer is running")});
}

void PrintFields(QTextStream& out, const FormValues& form, bool triBandCapable, bool json) {
  if (json) {
    out << QJsonDocument(ShownFieldsJson(form, triBandCapable)).toJson(QJsonDocument::Indented);
    return;
  }
  for (const auto& [name, value] : ShownFieldLines(form, triBandCapable)) out << name << ": " << value << '\n';
}

// Flushes standard output; false (and why, on standard error) when it could not be written.
bool FlushOutput(QTextStream& out, QTextStream& err) {
  out.flush();
  const bool written = out.status() == QTextStream::Ok && std::fflush(stdout) == 0 && !std::ferror(stdout);
  if (!written) err << "zr93kw-setfactory: cannot write the output: " << std::strerror(errno) << Qt::endl;
  return written;
}

int RunTransferCommand(const QStringList& arguments, bool write) {
  QTextStream out(stdout);
  QTextStream err(stderr);
  const platform::AnsiCodePage codePage = platform::AnsiCodePage::System();
  TransferOptions options;
  try {
    options = ParseTransferOptions(arguments, write);
    FormValues check;
    for (const auto& [name, value] : options.sets) {
      SetWindowField(check, name, value);
      RefuseUnstorableText(name, value, codePage);
    }
  } catch (const UsageError& error) {
    err << "zr93kw-setfactory: " << error.what() << '\n' << UsageText;
    return ExitStatus::Usage;
  }
  // A mistyped port folder must not send the radio's frames to another device.
  if (const QString portDirectory = platform::PortDirectoryError(); !portDirectory.isEmpty()) {
    err << "zr93kw-setfactory: " << portDirectory << '\n';
    return ExitStatus::Usage;
  }

  StationState state;
  db::PackageDatabase database(options.database);
  // The rebuild question is answered No: an automated line reports the gap instead.
  CliHost host(state, err, CliHost::Answers{options.bandChangeOk, false}, options.packageCode.has_value());

  // The window's start-up: the start-up record shown, the band list at 0.
  const QString locale = platform::SystemLocaleName();
  InitRecord(state.FactoryRecord, QDate::currentDate(), locale);
  state.UiLanguage = lang::SystemUiLanguage();
  state.CurrentComPort = options.port;
  host.ShowByData();
  for (const auto& [name, value] : options.sets) SetWindowField(host.Form(), name, value);
  if (options.packageCode) host.Form().packageCode = options.packageCode->left(FieldOf(Field::PackageCode).width);

  platform::SettingsFile settings(platform::ProgramSettingsPath());
  QtSerialDevice serial;
  std::unique_ptr<TracedSerialDevice> traced;
  if (options.trace) traced = std::make_unique<TracedSerialDevice>(serial, err);
  SerialDevice& device = traced ? static_cast<SerialDevice&>(*traced) : serial;
  RadioLink link(state, host, device, settings, codePage, database);

  // A signal stops the transfer at its next frame boundary; the radio leaves
  // programming mode and the command says what it wrote.
  int stopSignal = 0;
  const platform::TerminationSignals signalWatch([&](int signalNumber) {
    if (stopSignal == 0) stopSignal = signalNumber;
    link.RequestStop(QStringLiteral("stopped by %1").arg(SignalName(signalNumber)));
  });
  const auto interrupted = [&](const TransferOutcome& outcome) {
    PrintCause(err, outcome);
    return ExitStatus::SignalBase + stopSignal;
  };

  QCoreApplication::processEvents();  // a signal that came before the port opened
  if (stopSignal != 0) {
    return interrupted({.end = TransferEnd::Interrupted,
                        .cause = QStringLiteral("stopped by %1 before anything was sent").arg(SignalName(stopSignal))});
  }
  if (write && options.readFirst) {
    const TransferOutcome read = RunTransfer(link, false);
    if (stopSignal != 0) return interrupted(read);
    if (!read.Succeeded()) {
      PrintCause(err, read);
      return ExitStatusOf(read);
    }
    for (const auto& [name, value] : options.sets) SetWindowField(host.Form(), name, value);
  }
  const TransferOutcome outcome = RunTransfer(link, write);
  if (outcome.Succeeded() || outcome.end == TransferEnd::AssociationMissing ||
      outcome.end == TransferEnd::DatabaseFailed) {
    PrintFields(out, host.Form(), state.TriBandCapable, options.json);
  }
  PrintCause(err, outcome);
  const bool outputWritten = FlushOutput(out, err);
  if (stopSignal != 0) return ExitStatus::SignalBase + stopSignal;
  const int status = ExitStatusOf(outcome);
  return status == ExitStatus::Success && !outputWritten ? ExitStatus::OutputFailed : status;
}

// The window's port list, in its order, with the device each entry opens.
int RunPorts() {
  QTextStream out(stdout);
  if (const QString portDirectory = platform::PortDirectoryError(); !portDirectory.isEmpty()) {
    QTextStream(stderr) << "zr93kw-setfactory: " << portDirectory << '\n';
    return ExitStatus::Usage;
  }
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
    QTextStream(stdout) << UsageText << "Settings: "
                        << platform::ProgramSettingsPath(platform::SettingsFolder::kLeaveAlone) << '\n';
    return 0;
  }
  QTextStream(stderr) << "zr93kw-setfactory: unknown command '" << arguments.mid(1).join(QLatin1Char(' ')) << "'\n"
                      << UsageText;
  return ExitStatus::Usage;
}

}  // namespace zr::cli
