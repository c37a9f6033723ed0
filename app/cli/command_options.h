#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>
#include <string_view>

#include "db/database_settings.h"
#include "station/state_folder.h"

namespace zr::cli {

// What takes options: the window, or a subcommand (in the order help lists them).
enum class FrontEnd : unsigned { Window, Read, Write, Undo, Ports, Log, DbCheck };

inline constexpr FrontEnd FrontEnds[] = {FrontEnd::Window, FrontEnd::Read, FrontEnd::Write, FrontEnd::Undo,
                                         FrontEnd::Ports,  FrontEnd::Log,  FrontEnd::DbCheck};

// The bits of the front ends that take an option.
template <typename... Taker>
constexpr unsigned TakenBy(Taker... takers) {
  return ((1u << static_cast<unsigned>(takers)) | ...);
}

// One option of the program: every parser, every --help, the man page and
// the bash completion's test read it from here.
struct CommandOption {
  std::string_view name;       // without its "--"
  std::string_view valueName;  // empty: a switch
  std::string_view help;
  unsigned takenBy;  // TakenBy(...)
  // Only --set: each of its values is another field. A second --port is a
  // mistake, not a choice between two ports.
  bool repeats = false;

  constexpr bool Takes(FrontEnd frontEnd) const { return (takenBy >> static_cast<unsigned>(frontEnd)) & 1u; }
};

namespace option_table {
using enum FrontEnd;
// Each front end lists its options in this order. A name has one row for
// each meaning: --json prints fields, ports or entries.
inline constexpr CommandOption Rows[] = {
    {"port", "PORT", "The radio's port: 3, COM3 or a device path (/dev/ttyUSB0, /dev/serial/by-id/...).",
     TakenBy(Read, Write, Undo)},
    {"json", "", "Print the fields as JSON.", TakenBy(Read, Write)},
    {"trace", "", "Print every frame sent (>) and received (<) on standard error.", TakenBy(Read, Write, Undo)},
    {"log", "FILE", "The station log (default " ZR_STATION_LOG_WORDS ").",
     TakenBy(Window, Read, Write, Undo, Log)},
    {"save", "FILE", "Save the 256 bytes as read, even when they cannot be shown.", TakenBy(Read)},
    {"set", "FIELD=VALUE", "Change one field by its name (repeatable).", TakenBy(Write), true},
    {"from-defaults", "", "Start from the window's start-up values, not the radio's.", TakenBy(Write)},
    {"read-first", "", "Start from the radio's values (what a write does anyway).", TakenBy(Write)},
    {"band-change", "ok|cancel", "The answer to the band-change question.", TakenBy(Write)},
    {"package", "CODE", "Scan-code write mode: record the radio against this package code.", TakenBy(Write)},
    {"db-server", "NAME", "Package database server: host, host,port or host\\instance (default localhost).",
     TakenBy(Window, Write, DbCheck)},
    {"db-driver", "NAME", "ODBC driver of the package database (default " ZR_DEFAULT_ODBC_DRIVER ").",
     TakenBy(Window, Write, DbCheck)},
    {"image", "FILE", "Write the lines of a 256-byte block file (a backup put back).", TakenBy(Write)},
    {"other-radio", "", "Let --image write a block file of another radio.", TakenBy(Write)},
    {"backup-dir", "DIR", "Save the block here before writing (default " ZR_BACKUP_FOLDER_WORDS ").",
     TakenBy(Window, Write, Undo)},
    {"no-backup", "", "Write without saving the block first.", TakenBy(Window, Write)},
    {"verify", "", "Read the written lines back before ending.", TakenBy(Window, Write, Undo)},
    {"serial", "S", "Only this radio's entries.", TakenBy(Log)},
    {"since", "DATE", "Only entries from this date (2026-12-06) or ISO 8601 time on.", TakenBy(Log)},
    {"json", "", "Print the entries as stored.", TakenBy(Log)},
    {"json", "", "Print the ports as JSON.", TakenBy(Ports)},
    {"serial", "S", "Also look up this radio's row.", TakenBy(DbCheck)},
    {"screenshot", "FILE", "Read the radio on the selected port, save the window as a PNG to FILE and exit.",
     TakenBy(Window)},
};

// No front end takes a name twice, and a name takes a value everywhere or nowhere:
// where the subcommand stands is found before the front end is known.
consteval bool RowsAreSound() {
  for (const CommandOption& row : Rows) {
    for (const CommandOption& other : Rows) {
      if (&row == &other || row.name != other.name) continue;
      if ((row.takenBy & other.takenBy) != 0 || row.valueName.empty() != other.valueName.empty()) return false;
    }
  }
  return true;
}
static_assert(RowsAreSound());
}  // namespace option_table

inline constexpr const auto& CommandOptions = option_table::Rows;

// The subcommand's name ("read", "db-check"); empty for the window.
QString NameOf(FrontEnd frontEnd);

// The subcommands, in the order help lists them.
QStringList SubcommandNames();

// The subcommand named so; none for an unknown name.
std::optional<FrontEnd> SubcommandNamed(const QString& name);

// The options a front end takes, with the words its help shows.
QList<QCommandLineOption> OptionsOf(FrontEnd frontEnd);

// Whether `argument` ("--port") is an option whose value is the next argument.
bool TakesValue(const QString& argument);

// Parses `arguments` (the program's name, then options only) into `parser`:
// only `frontEnd`'s options, none given twice unless it repeats, no other
// words. Returns why they are refused; empty when they are not.
QString ParseOptions(QCommandLineParser& parser, const QStringList& arguments, FrontEnd frontEnd);

// The window's options as `zr93kw-setfactory --help` lists them.
QString WindowOptionsHelp();

// What `zr93kw-setfactory SUBCOMMAND --help` prints.
QString SubcommandHelp(FrontEnd subcommand);

}  // namespace zr::cli
