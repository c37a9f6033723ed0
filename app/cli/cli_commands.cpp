#include "app/cli/cli_commands.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDate>
#include <QJsonDocument>
#include <QTextStream>
#include <unistd.h>

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
#include "app/cli/command_options.h"
#include "app/cli/db_check_command.h"
#include "app/cli/exit_status.h"
#include "app/cli/field_arguments.h"
#include "app/cli/log_command.h"
#include "app/cli/ports_command.h"
#include "app/cli/radio_values.h"
#include "app/cli/undo_values.h"
#include "app/cli/visible_text.h"
#include "db/database_settings.h"
#include "db/package_database.h"
#include "lang/ui_language.h"
#include "link/block_file_values.h"
#include "link/port_list.h"
#include "link/radio_link.h"
#include "link/system_serial_device.h"
#include "link/traced_serial_device.h"
#include "platform/ansi_code_page.h"
#include "platform/serial_devices.h"
#include "platform/settings_file.h"
#include "platform/system_locale.h"
#include "platform/termination_signals.h"
#include "record/factory_fields.h"
#include "station/block_file.h"
#include "station/state_folder.h"
#include "station/transfer_records.h"

namespace zr::cli {

namespace {

// One line for each form: help2man makes the man page's SYNOPSIS of them.
// The man page takes everything up to the window's options as its
// DESCRIPTION.
const char* const UsageText =
    "Usage: zr93kw-setfactory [--db-server NAME] [--db-driver NAME] [OPTION]...\n"
    "  or:  zr93kw-setfactory read --port PORT [--save FILE] [--json] [--trace] [--log FILE]\n"
    "  or:  zr93kw-setfactory write --port PORT [--set FIELD=VALUE]... [--band-change ok|cancel] [OPTION]...\n"
    "  or:  zr93kw-setfactory write --port PORT --package CODE [--db-server NAME] [OPTION]...\n"
    "  or:  zr93kw-setfactory write --port PORT --image FILE [--other-radio] [OPTION]...\n"
    "  or:  zr93kw-setfactory undo --port PORT [--backup-dir DIR] [--verify] [--trace] [--log FILE]\n"
    "  or:  zr93kw-setfactory ports [--json]\n"
    "  or:  zr93kw-setfactory log [--log FILE] [--serial S] [--since DATE] [--json]\n"
    "  or:  zr93kw-setfactory db-check [--db-server NAME] [--db-driver NAME] [--serial S]\n"
    "  or:  zr93kw-setfactory SUBCOMMAND --help\n"
    "  or:  zr93kw-setfactory --help | --version\n"
    "\n"
    "The ZR93KW factory station: without a subcommand the station window, which takes\n"
    "the options below; with one the same engine headless.\n"
    "'zr93kw-setfactory SUBCOMMAND --help' lists a subcommand's options.\n"
    "\n"
    "A write reads the radio first and changes only what --set names (--from-defaults:\n"
    "the window's start-up values); a --set BandIndex other than the radio's band\n"
    "needs --band-change. Every write first saves the radio's block to the backup\n"
    "folder (" ZR_BACKUP_FOLDER_WORDS ") and writes nothing when it\n"
    "cannot; --verify reads the written lines back. --image writes a block file (a\n"
    "backup put back), never the model and serial-number lines; another radio's file\n"
    "is refused without --other-radio. Each transfer adds a line to the station log\n"
    "(" ZR_STATION_LOG_WORDS ", or --log FILE), which\n"
    "'log' shows; a write adds one before its first write frame and writes nothing\n"
    "when it cannot. 'undo' puts back the radio's block from before its last write.\n"
    "--package writes in scan-code write mode: the radio's serial number\n"
    "is then recorded against CODE in the production database (--db-server, default\n"
    "localhost; --db-driver, the ODBC driver, default " ZR_DEFAULT_ODBC_DRIVER "); 'db-check' tries it.\n";

// After the window's options, which the table lists.
const char* const ExitStatusText =
    "\n"
    "Exit status:\n"
    "  0    success\n"
    "  1    bad usage or a refused value; nothing sent\n"
    "  2    the port could not be opened; nothing sent\n"
    "  3    communication failed\n"
    "  4    wrong model; nothing written\n"
    "  5    write refused; nothing written\n"
    "  6    written, but the package association is missing\n"
    "  7    written, but the database failed (db-check: the database failed)\n"
    "  8    another run-time error\n"
    "  9    the backup could not be saved; nothing written\n"
    "  10   written, but lines read back different\n"
    "  11   the output (or --save's file) could not be written\n"
    "  12   the station log could not be written (a write: nothing written)\n"
    "  128+N  stopped by signal N (SIGHUP 129, SIGINT 130, SIGTERM 143)\n";

// What follows a usage error: where the whole story is.
QString TryHelp(const QString& subcommand) {
  return QStringLiteral("Try 'zr93kw-setfactory %1--help'.\n").arg(subcommand.isEmpty() ? QString() : subcommand + QLatin1Char(' '));
}

QString SignalName(int signalNumber) {
  switch (signalNumber) {
    case SIGINT: return QStringLiteral("SIGINT");
    case SIGTERM: return QStringLiteral("SIGTERM");
#ifdef SIGHUP
    case SIGHUP: return QStringLiteral("SIGHUP");
#endif
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
  for (const auto& [name, value] : ShownFieldLines(form, triBandCapable)) {
    out << name << ": " << VisibleText(value) << '\n';
  }
}

// Flushes standard output; false (and why, on standard error) when it could not be written.
bool FlushOutput(QTextStream& out, QTextStream& err) {
  out.flush();
  const bool written = out.status() == QTextStream::Ok && std::fflush(stdout) == 0 && !std::ferror(stdout);
  if (!written) err << "zr93kw-setfactory: cannot write the output: " << std::strerror(errno) << Qt::endl;
  return written;
}

int RunTransferCommand(const QStringList& arguments, TransferCommand command) {
  const bool write = command != TransferCommand::Read;
  QTextStream out(stdout);
  QTextStream err(stderr);
  const platform::AnsiCodePage codePage = platform::AnsiCodePage::System();
  const TransferOptions options = ParseTransferOptions(arguments, command);
  FormValues check;
  for (const auto& [name, value] : options.sets) {
    SetWindowField(check, name, value);
    RefuseUnstorableText(name, value, codePage);
  }
  std::optional<FactoryImage> image;
  if (!options.imageFile.isEmpty()) image = ReadBlockFile(options.imageFile, codePage);
  if (!options.saveFile.isEmpty()) RefuseSaveTarget(options.saveFile);
  // A mistyped port folder must not send the radio's frames to another device.
  if (const QString portDirectory = platform::PortDirectoryError(); !portDirectory.isEmpty()) {
    err << "zr93kw-setfactory: " << portDirectory << '\n';
    return ExitStatus::Usage;
  }

  StationState state;
  db::PackageDatabase database(options.database);
  // The rebuild question is answered No: an automated line reports the gap instead.
  CliHost host(state, err, CliHost::Answers{options.bandChange.value_or(false), false}, options.packageCode.has_value(),
               ::isatty(STDERR_FILENO) == 1);

  // The window's start-up: the start-up record shown, the band list at 0.
  const QString locale = platform::SystemLocaleName();
  InitRecord(state.FactoryRecord, QDate::currentDate(), locale);
  state.UiLanguage = lang::SystemUiLanguage();
  state.CurrentComPort = options.port;
  host.ShowByData();
  // --from-defaults changes the start-up values; a write from the radio's own
  // values makes its changes inside the session, once the radio is read.
  if (!options.readFirst) {
    for (const auto& [name, value] : options.sets) SetWindowField(host.Form(), name, value);
  }
  // Taken into the station as a write takes the window's box, also by a
  // write that does not take the form (a block file).
  if (options.packageCode) host.Form().packageCode = state.PackageCode = *options.packageCode;

  platform::SettingsFile settings(platform::ProgramSettingsPath());
  SystemSerialDevice serial;
  std::unique_ptr<TracedSerialDevice> traced;
  if (options.trace) traced = std::make_unique<TracedSerialDevice>(serial, err);
  SerialDevice& device = traced ? static_cast<SerialDevice&>(*traced) : serial;
  RadioLink link(state, host, device, settings, codePage, database);

  // Every transfer leaves its entry in the station log before its last message.
  station::TransferRecords records(options.records, codePage);
  link.SetWriteChecks(records.Backup(), records.Journal(), records.Verify());
  QString logFailure;
  host.ended = [&](const TransferOutcome& outcome) {
    const station::FileResult<> logged = records.RecordEnd(outcome, state, host.SelectedMode());
    if (logged.Ok()) return;
    logFailure = logged.Why();
    // A write stopped for its "write started" entry says so in its cause line.
    if (outcome.end != TransferEnd::LogFailed) err << "zr93kw-setfactory: log not written: " << logFailure << Qt::endl;
  };
  // Where a write's block comes from: the block file, the radio's last
  // backup, the radio's own values with the changes, or the window's start-up
  // values with them.
  std::optional<BlockFileValues> fileValues;
  if (image) fileValues.emplace(*image, options.otherRadio, codePage);
  UndoValues undoValues(records.LogPath(), codePage);
  RadioValuesWithChanges radioValues(state, host, codePage, options.sets, options.bandChange);
  const auto start = [&]() -> bool {
    if (!write) return link.StartRead();
    if (fileValues) return link.StartWrite(*fileValues);
    if (command == TransferCommand::Undo) return link.StartWrite(undoValues);
    return options.readFirst ? link.StartWrite(radioValues) : link.StartWrite();
  };

  // A signal stops the transfer at its next frame boundary; the radio leaves
  // programming mode and the command says what it wrote.
  int stopSignal = 0;
  const platform::TerminationSignals signalWatch([&](int signalNumber) {
    if (stopSignal == 0) stopSignal = signalNumber;
    link.RequestStop(QStringLiteral("stopped by %1").arg(SignalName(signalNumber)));
  });

  QCoreApplication::processEvents();  // a signal that came before the port opened
  if (stopSignal != 0) {
    PrintCause(err, {.end = TransferEnd::Interrupted,
                     .cause = QStringLiteral("stopped by %1 before anything was sent").arg(SignalName(stopSignal))});
    return ExitStatus::SignalBase + stopSignal;
  }
  const TransferOutcome outcome = RunTransfer(link, start);
  // A block file's or a backup's values are the file's: nothing to show of the form.
  if (WentThrough(outcome) && !image && command != TransferCommand::Undo) {
    PrintFields(out, host.Form(), state.TriBandCapable, options.json);
  }
  PrintCause(err, outcome);
  // The block as read is saved even when its values cannot be shown: that is
  // when a technician needs it.
  bool saved = true;
  if (!options.saveFile.isEmpty()) {
    const station::FileResult<> save =
        outcome.blockAsRead.Whole()
            ? station::SaveBlockFile(options.saveFile, outcome.blockAsRead.bytes)
            : station::FileResult<>::Failed(
                  QStringLiteral("nothing saved to %1: the block was not read whole").arg(options.saveFile));
    if (!save.Ok()) err << "zr93kw-setfactory: " << save.Why() << Qt::endl;
    saved = save.Ok();
  }
  const bool outputWritten = FlushOutput(out, err);
  // A signal that came once "END" was answered found nothing left to stop.
  if (stopSignal != 0 && outcome.end == TransferEnd::Interrupted) return ExitStatus::SignalBase + stopSignal;
  const int status = ExitStatusOf(outcome);
  if (status != ExitStatus::Success) return status;
  if (!outputWritten || !saved) return ExitStatus::OutputFailed;
  return logFailure.isEmpty() ? status : ExitStatus::LogNotWritten;
}

int RunLog(const QStringList& arguments) {
  QTextStream out(stdout);
  QTextStream err(stderr);
  const int status = ShowStationLog(ParseLogOptions(arguments), out, err);
  const bool outputWritten = FlushOutput(out, err);
  return status == ExitStatus::Success && !outputWritten ? ExitStatus::OutputFailed : status;
}

}  // namespace

int RunSubcommand(const QStringList& arguments) {
  const QString command = arguments.value(1);
  const std::optional<FrontEnd> subcommand = SubcommandNamed(command);
  if (subcommand && (arguments.contains(QLatin1String("--help")) || arguments.contains(QLatin1String("-h")))) {
    QTextStream(stdout) << SubcommandHelp(*subcommand);
    return ExitStatus::Success;
  }
  // A usage error leaves before anything is sent, whichever subcommand found it.
  try {
    if (subcommand == FrontEnd::Read) return RunTransferCommand(arguments, TransferCommand::Read);
    if (subcommand == FrontEnd::Write) return RunTransferCommand(arguments, TransferCommand::Write);
    if (subcommand == FrontEnd::Undo) return RunTransferCommand(arguments, TransferCommand::Undo);
    if (subcommand == FrontEnd::Ports) return RunPorts(arguments);
    if (subcommand == FrontEnd::Log) return RunLog(arguments);
    if (subcommand == FrontEnd::DbCheck) return RunDbCheck(arguments);
  } catch (const UsageError& error) {
    QTextStream(stderr) << "zr93kw-setfactory: " << error.what() << '\n' << TryHelp(command);
    return ExitStatus::Usage;
  }
  if (command == QLatin1String("help") || command == QLatin1String("--help") || command == QLatin1String("-h")) {
    QTextStream(stdout) << UsageText << '\n' << WindowOptionsHelp() << ExitStatusText << "Settings: "
                        << platform::ProgramSettingsPath(platform::SettingsFolder::kLeaveAlone) << '\n';
    return ExitStatus::Success;
  }
  QTextStream(stderr) << "zr93kw-setfactory: unknown command '" << arguments.mid(1).join(QLatin1Char(' ')) << "'\n"
                      << TryHelp(QString());
  return ExitStatus::Usage;
}

}  // namespace zr::cli
