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
#include <functional>
#include <memory>
#include <optional>

#include "app/cli/block_file.h"
#include "app/cli/cli_host.h"
#include "app/cli/cli_options.h"
#include "app/cli/exit_status.h"
#include "app/cli/log_command.h"
#include "app/cli/window_field_names.h"
#include "app/station/transfer_records.h"
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
    "  zr93kw-setfactory read --port N [--save FILE] [--json] [--trace] [--log FILE]\n"
    "  zr93kw-setfactory write --port N [--set FIELD=VALUE]... [--read-first]\n"
    "                          [--band-change ok|cancel] [--json] [--trace]\n"
    "                          [--package CODE [--db-server NAME] [--db-driver NAME]]\n"
    "                          [--backup-dir DIR | --no-backup] [--verify] [--log FILE]\n"
    "  zr93kw-setfactory write --port N --image FILE [--other-radio] [...]\n"
    "  zr93kw-setfactory ports\n"
    "  zr93kw-setfactory log [--log FILE] [--serial S] [--since DATE] [--json]\n"
    "  zr93kw-setfactory --help | --version\n"
    "\n"
    "--port takes N or COMN. --trace prints every frame on standard error.\n"
    "Every write first saves the radio's block to the backup folder\n"
    "($XDG_STATE_HOME/zr93kw-setfactory/backups) and writes nothing when it cannot;\n"
    "--verify reads the written lines back. --image writes a block file (a backup\n"
    "put back), never the model and serial-number lines; another radio's file is\n"
    "refused without --other-radio. Each transfer adds a line to the station log\n"
    "($XDG_STATE_HOME/zr93kw-setfactory/station-log.jsonl, or --log FILE).\n"
    "Exit status: 0 success; 1 bad usage or a refused value, nothing sent; 2 the\n"
    "port could not be opened, nothing sent; 3 communication failed; 4 wrong model;\n"
    "5 write refused; 6 written, but the package association is missing; 7 written,\n"
    "but the database failed; 8 another run-time error; 9 the backup could not be\n"
    "saved, nothing written; 10 written, but lines read back different; 11 the\n"
    "output (or --save's file) could not be written; 12 done, but the station log\n"
    "could not be written; 128 + N stopped by signal N (SIGHUP 129, SIGINT 130,\n"
    "SIGTERM 143).\n"
    "--package writes in scan-code write mode: the radio's serial number is then\n"
    "recorded against CODE in the production database (--db-server, default\n"
    "localhost; --db-driver, the ODBC driver, default FreeTDS).\n"
    "log shows the station log (--log, default $XDG_STATE_HOME/zr93kw-setfactory/\n"
    "station-log.jsonl): one row for each transfer, or with --json its lines as\n"
    "stored. --serial keeps one radio's; --since keeps those from a date\n"
    "(2026-12-06) or time (2026-12-06T10:42:00, local unless it ends in Z or an\n"
    "offset) on. A log that cannot be read exits 1.\n";

QString SignalName(int signalNumber) {
  switch (signalNumber) {
    case SIGINT: return QStringLiteral("SIGINT");
    case SIGTERM: return QStringLiteral("SIGTERM");
    case SIGHUP: return QStringLiteral("SIGHUP");
    default: return QStringLiteral("signal %1").arg(signalNumber);
  }
}

// Runs one transfer to its end, as the window's event loop would.
TransferOutcome RunTransfer(RadioLink& link, const std::function<bool()>& start) {
  if (start()) {
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
  std::optional<FactoryImage> image;
  try {
    options = ParseTransferOptions(arguments, write);
    FormValues check;
    for (const auto& [name, value] : options.sets) {
      SetWindowField(check, name, value);
      RefuseUnstorableText(name, value, codePage);
    }
    if (!options.imageFile.isEmpty()) image = ReadBlockFile(options.imageFile, codePage);
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
  CliHost host(state, err, CliHost::Answers{options.bandChange.value_or(false), false}, options.packageCode.has_value());

  // The window's start-up: the start-up record shown, the band list at 0.
  const QString locale = platform::SystemLocaleName();
  InitRecord(state.FactoryRecord, QDate::currentDate(), locale);
  state.UiLanguage = lang::SystemUiLanguage();
  state.CurrentComPort = options.port;
  host.ShowByData();
  for (const auto& [name, value] : options.sets) SetWindowField(host.Form(), name, value);
  if (options.packageCode) host.Form().packageCode = *options.packageCode;

  platform::SettingsFile settings(platform::ProgramSettingsPath());
  QtSerialDevice serial;
  std::unique_ptr<TracedSerialDevice> traced;
  if (options.trace) traced = std::make_unique<TracedSerialDevice>(serial, err);
  SerialDevice& device = traced ? static_cast<SerialDevice&>(*traced) : serial;
  RadioLink link(state, host, device, settings, codePage, database);

  // Every transfer leaves its entry in the station log before its last message.
  station::TransferRecords records(options.records, codePage);
  link.SetWriteChecks(records.Backup(), records.Verify());
  QString logFailure;
  host.ended = [&](const TransferOutcome& outcome) {
    const QString why = records.Record(outcome, options.port, options.packageCode);
    if (why.isEmpty()) return;
    err << "zr93kw-setfactory: log not written: " << why << Qt::endl;
    logFailure = why;
  };
  const auto start = [&](bool writing) -> std::function<bool()> {
    if (!writing) return [&] { return link.StartRead(); };
    if (image) return [&] { return link.StartImageWrite(*image, options.otherRadio); };
    return [&] { return link.StartWrite(); };
  };

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
  if (write && options.readFirst && !image) {
    const TransferOutcome read = RunTransfer(link, start(false));
    if (stopSignal != 0) return interrupted(read);
    if (!read.Succeeded()) {
      PrintCause(err, read);
      return ExitStatusOf(read);
    }
    const int radioBand = host.Form().bandPosition;
    for (const auto& [name, value] : options.sets) SetWindowField(host.Form(), name, value);
    // Changing a radio's band is a decision, not a side effect of a script.
    if (host.Form().bandPosition != radioBand && !options.bandChange) {
      err << "zr93kw-setfactory: BandIndex " << host.Form().bandPosition << " is not the radio's band "
          << radioBand << ": say --band-change ok to change it, or cancel to keep it; nothing was written\n";
      return ExitStatus::Usage;
    }
  }
  const TransferOutcome outcome = RunTransfer(link, start(write));
  const bool written = outcome.Succeeded() || outcome.end == TransferEnd::AssociationMissing ||
                       outcome.end == TransferEnd::DatabaseFailed;
  if (written && !image) PrintFields(out, host.Form(), state.TriBandCapable, options.json);
  PrintCause(err, outcome);
  // The block as read is saved even when its values cannot be shown: that is
  // when a technician needs it.
  bool saved = true;
  if (!options.saveFile.isEmpty()) {
    const QString why = outcome.blockAsRead.Whole()
                            ? SaveBlockFile(options.saveFile, outcome.blockAsRead.bytes)
                            : QStringLiteral("nothing saved to %1: the block was not read whole").arg(options.saveFile);
    if (!why.isEmpty()) err << "zr93kw-setfactory: " << why << Qt::endl;
    saved = why.isEmpty();
  }
  const bool outputWritten = FlushOutput(out, err);
  if (stopSignal != 0) return ExitStatus::SignalBase + stopSignal;
  const int status = ExitStatusOf(outcome);
  if (status != ExitStatus::Success) return status;
  if (!outputWritten || !saved) return ExitStatus::OutputFailed;
  return logFailure.isEmpty() ? status : ExitStatus::LogNotWritten;
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

int RunLog(const QStringList& arguments) {
  QTextStream out(stdout);
  QTextStream err(stderr);
  LogOptions options;
  try {
    options = ParseLogOptions(arguments);
  } catch (const UsageError& error) {
    err << "zr93kw-setfactory: " << error.what() << '\n' << UsageText;
    return ExitStatus::Usage;
  }
  const int status = ShowStationLog(options, out, err);
  const bool outputWritten = FlushOutput(out, err);
  return status == ExitStatus::Success && !outputWritten ? ExitStatus::OutputFailed : status;
}

}  // namespace

int RunSubcommand(const QStringList& arguments) {
  const QString command = arguments.value(1);
  if (command == QLatin1String("read")) return RunTransferCommand(arguments, false);
  if (command == QLatin1String("write")) return RunTransferCommand(arguments, true);
  if (command == QLatin1String("ports") && arguments.size() == 2) return RunPorts();
  if (command == QLatin1String("log")) return RunLog(arguments);
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
