#pragma once

#include <QDateTime>
#include <QCommandLineParser>
#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <optional>
#include <utility>
#include <vector>

#include "app/cli/command_options.h"
#include "db/database_settings.h"
#include "station/records_options.h"

namespace zr::cli {

// The commands that talk to a radio.
enum class TransferCommand { Read, Write, Undo };

// What `read`, `write` and `undo` are asked to do.
struct TransferOptions {
  TransferCommand command = TransferCommand::Read;
  qint16 port = 0;
  bool json = false;
  bool trace = false;
  // A write starts from the radio's own values (a read first) unless
  // --from-defaults asks for the window's start-up values.
  bool readFirst = true;
  std::optional<bool> bandChange;  // --band-change: ok (true) or cancel; unset: not answered
  std::vector<std::pair<QString, QString>> sets;
  std::optional<QString> packageCode;  // scan-code write mode
  db::DatabaseSettings database;
  QString saveFile;     // read: the block as read goes here
  QString imageFile;    // write: the lines come from this block file
  bool otherRadio = false;  // the block file may be another radio's
  StationRecordsOptions records;
};

// `arguments` starts with the program name, then the subcommand. Raises
// UsageError for anything the commands do not take: an unknown or repeated
// option (only --set repeats), a missing --port, a malformed number.
TransferOptions ParseTransferOptions(const QStringList& arguments, TransferCommand command);

// What `log` is asked to show.
struct LogOptions {
  QString logPath;                // empty: the station's own log
  std::optional<QString> serial;  // only this radio's entries
  std::optional<QDateTime> since;
  bool json = false;              // the entries as stored, not a table
};

// `arguments` starts with the program name, then `log`. Raises UsageError for
// an unknown or repeated option, an empty file name or serial number, and a
// --since that is neither a date (2026-12-06, the day's start in local time)
// nor an ISO 8601 date-time (local time unless it says Z or an offset).
LogOptions ParseLogOptions(const QStringList& arguments);

// Parses a subcommand's arguments (`arguments` starts with the program name,
// then the subcommand) into `parser` by ParseOptions. Raises UsageError.
void ParseSubcommandOptions(QCommandLineParser& parser, const QStringList& arguments, FrontEnd subcommand);

// The one way numbers are read on the command line: decimal digits only, no
// sign, no blanks, at most `maximum`.
std::optional<int> ParseDecimal(QStringView text, int maximum);

// "3", "COM3" (any case of "com") or a device path ("/dev/ttyUSB0",
// "/dev/serial/by-id/..."): the port number.
qint16 ParsePort(const QString& text);

// Where the subcommand stands among the program's arguments: the first
// argument that is neither an option nor an option's value; -1 for none.
int SubcommandIndex(const QStringList& arguments);

}  // namespace zr::cli
