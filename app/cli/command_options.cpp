#include "app/cli/command_options.h"

#include <QCommandLineParser>

#include "app/cli/window_field_names.h"
#include "app/station/state_folder.h"
#include "db/database_settings.h"

namespace zr::cli {

namespace {

QCommandLineOption Flag(const char* name, const char* description) {
  return QCommandLineOption(QString::fromLatin1(name), QString::fromUtf8(description));
}

QCommandLineOption Valued(const char* name, const char* valueName, const char* description) {
  return QCommandLineOption(QString::fromLatin1(name), QString::fromUtf8(description), QString::fromLatin1(valueName));
}

QCommandLineOption PortOption() {
  return Valued("port", "PORT",
                "The radio's port: 3, COM3 or a device path (/dev/ttyUSB0, /dev/serial/by-id/...).");
}

QCommandLineOption TraceOption() {
  return Flag("trace", "Print every frame sent (>) and received (<) on standard error.");
}

QCommandLineOption LogOption() {
  return Valued("log", "FILE", "The station log (default " ZR_STATION_LOG_WORDS ").");
}

QList<QCommandLineOption> TransferCommon() {
  return {PortOption(), Flag("json", "Print the fields as JSON."), TraceOption(), LogOption()};
}

QCommandLineOption BackupDirOption() {
  return Valued("backup-dir", "DIR",
                "Save the block here before writing (default " ZR_BACKUP_FOLDER_WORDS ").");
}

QCommandLineOption VerifyOption() { return Flag("verify", "Read the written lines back before ending."); }

QList<QCommandLineOption> DatabaseOptions() {
  return {Valued("db-server", "NAME", "Package database server: host, host,port or host\\instance (default localhost)."),
          Valued("db-driver", "NAME", "ODBC driver of the package database (default " ZR_DEFAULT_ODBC_DRIVER ").")};
}

QString Description(const QString& subcommand) {
  if (subcommand == QLatin1String("read")) return QStringLiteral("Reads the radio's factory block and prints its fields.");
  if (subcommand == QLatin1String("write")) {
    return QStringLiteral(
        "Writes the radio: reads it first and changes only what --set names, saves its block to the backup\n"
        "folder, then writes. --from-defaults writes the window's start-up values instead.");
  }
  if (subcommand == QLatin1String("undo")) {
    return QStringLiteral(
        "Puts back the block the radio on the port held before its last write in the station log (that\n"
        "write's backup), as --image writes a block file. The undo is logged and backed up like any write,\n"
        "so a second undo puts back what the first replaced.");
  }
  if (subcommand == QLatin1String("ports")) {
    return QStringLiteral("Lists the serial ports as the window does, with what the system knows of each.");
  }
  if (subcommand == QLatin1String("log")) return QStringLiteral("Shows the station log: one row for each transfer.");
  if (subcommand == QLatin1String("db-check")) {
    return QStringLiteral("Tries the package database the way a scan-code write reaches it.");
  }
  return QString();
}

}  // namespace

QStringList SubcommandNames() {
  return {QStringLiteral("read"),  QStringLiteral("write"),   QStringLiteral("undo"),
          QStringLiteral("ports"), QStringLiteral("log"),     QStringLiteral("db-check")};
}

QList<QCommandLineOption> SubcommandOptions(const QString& subcommand) {
  if (subcommand == QLatin1String("read")) {
    return TransferCommon() + QList{Valued("save", "FILE", "Save the 256 bytes as read, even when they cannot be shown.")};
  }
  if (subcommand == QLatin1String("write")) {
    return TransferCommon() + QList{
        Valued("set", "FIELD=VALUE", "Change one field by its name (repeatable)."),
        Flag("from-defaults", "Start from the window's start-up values, not the radio's."),
        Flag("read-first", "Start from the radio's values (what a write does anyway)."),
        Valued("band-change", "ok|cancel", "The answer to the band-change question."),
        Valued("package", "CODE", "Scan-code write mode: record the radio against this package code.")} +
        DatabaseOptions() + QList{
        Valued("image", "FILE", "Write the lines of a 256-byte block file (a backup put back)."),
        Flag("other-radio", "Let --image write a block file of another radio."),
        BackupDirOption(), Flag("no-backup", "Write without saving the block first."), VerifyOption()};
  }
  if (subcommand == QLatin1String("undo")) return {PortOption(), TraceOption(), LogOption(), BackupDirOption(), VerifyOption()};
  if (subcommand == QLatin1String("ports")) return {Flag("json", "Print the ports as JSON.")};
  if (subcommand == QLatin1String("log")) {
    return {Valued("log", "FILE", "The station log (default " ZR_STATION_LOG_WORDS ")."),
            Valued("serial", "S", "Only this radio's entries."),
            Valued("since", "DATE", "Only entries from this date (2026-12-06) or ISO 8601 time on."),
            Flag("json", "Print the entries as stored.")};
  }
  if (subcommand == QLatin1String("db-check")) {
    return DatabaseOptions() + QList{Valued("serial", "S", "Also look up this radio's row.")};
  }
  return {};
}

QString SubcommandHelp(const QString& subcommand) {
  QCommandLineParser parser;
  parser.setApplicationDescription(Description(subcommand));
  parser.addPositionalArgument(subcommand, QString(), subcommand);
  parser.addOptions(SubcommandOptions(subcommand));
  parser.addHelpOption();
  return parser.helpText() + (subcommand == QLatin1String("write") ? SettableFieldsHelp() : QString());
}

}  // namespace zr::cli
