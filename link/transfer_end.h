#pragma once

#include <algorithm>
#include <array>
#include <optional>
#include <string_view>

#include "lang/status_texts.h"

namespace zr {

// How a transfer ended.
enum class TransferEnd {
  ReadComplete,
  WriteComplete,
  AssociationMissing,   // radio written; the operator left the association missing
  WriteRefused,         // "write error" or a band change unanswered: nothing written
  ModelError,           // not this model: nothing written
  CommunicationFailed,  // no valid reply after the resends
  PortNotOpened,        // nothing sent
  DatabaseFailed,       // radio written; the association could not be recorded
  RuntimeError,         // a value the block, the window or a field cannot take
  Interrupted,          // stopped at a frame boundary, or the port closed under it
  BackupFailed,         // the block could not be saved before the write: nothing written
  VerifyFailed,         // written, but lines read back different
  ImageRefused,         // the block file (or the backup to undo with) is refused: nothing written
  LogFailed,            // the "write started" entry could not be written: nothing written
};

// The command line's exit statuses: what happened to the radio.
namespace ExitStatus {
inline constexpr int Success = 0;
inline constexpr int Usage = 1;                // or a refused value; nothing sent
inline constexpr int PortNotOpened = 2;        // nothing sent
inline constexpr int CommunicationFailed = 3;
inline constexpr int ModelError = 4;
inline constexpr int WriteRefused = 5;
inline constexpr int AssociationMissing = 6;
inline constexpr int DatabaseFailed = 7;       // radio written, association not recorded
inline constexpr int RuntimeError = 8;
inline constexpr int BackupFailed = 9;         // the block could not be saved; nothing written
inline constexpr int VerifyFailed = 10;        // written, but lines read back different
inline constexpr int OutputFailed = 11;        // the transfer ended as said, its output is lost
inline constexpr int LogNotWritten = 12;       // the station log did not take an entry
inline constexpr int SignalBase = 128;         // + the signal's number
}  // namespace ExitStatus

// When the command line's cause line says which lines the radio took.
enum class LinesReport { Never, WhenAny, Always };

// Everything the station says of one way a transfer ends: the window shows
// its fixed message boxes and this status word, the command line exits with
// this status and prints the name in its cause line, the station log records
// the name and what became of a package association.
struct Ending {
  TransferEnd end;
  std::string_view name;
  int exitStatus;
  // The transfer did what it was asked (the radio read, or all its lines
  // written): the command line shows the fields.
  bool wentThrough;
  LinesReport linesReport;
  // The association the log names for a write that was to record one.
  std::string_view association;
  // The window's status line; none for a success.
  std::optional<lang::StatusText> status;
};

inline constexpr auto Endings = std::to_array<Ending>({
    {TransferEnd::ReadComplete, "read complete", ExitStatus::Success, true, LinesReport::Never, "not attempted",
     std::nullopt},
    {TransferEnd::WriteComplete, "write complete", ExitStatus::Success, true, LinesReport::Never, "recorded",
     std::nullopt},
    {TransferEnd::AssociationMissing, "association missing", ExitStatus::AssociationMissing, true, LinesReport::Never,
     "missing", lang::StatusText::AssociationMissing},
    {TransferEnd::WriteRefused, "write refused", ExitStatus::WriteRefused, false, LinesReport::Never, "not attempted",
     lang::StatusText::WriteRefused},
    {TransferEnd::ModelError, "model error", ExitStatus::ModelError, false, LinesReport::Never, "not attempted",
     lang::StatusText::ModelError},
    {TransferEnd::CommunicationFailed, "communication failed", ExitStatus::CommunicationFailed, false,
     LinesReport::WhenAny, "not attempted", lang::StatusText::CommunicationFailed},
    {TransferEnd::PortNotOpened, "port not opened", ExitStatus::PortNotOpened, false, LinesReport::Never,
     "not attempted", lang::StatusText::PortNotOpened},
    {TransferEnd::DatabaseFailed, "database failed", ExitStatus::DatabaseFailed, true, LinesReport::Never, "failed",
     lang::StatusText::DatabaseFailed},
    {TransferEnd::RuntimeError, "run-time error", ExitStatus::RuntimeError, false, LinesReport::WhenAny,
     "not attempted", lang::StatusText::RuntimeError},
    // Without a signal only a vanished port interrupts a command's transfer.
    {TransferEnd::Interrupted, "interrupted", ExitStatus::CommunicationFailed, false, LinesReport::Always,
     "not attempted", lang::StatusText::Interrupted},
    {TransferEnd::BackupFailed, "backup failed", ExitStatus::BackupFailed, false, LinesReport::Never, "not attempted",
     lang::StatusText::BackupFailed},
    {TransferEnd::VerifyFailed, "verify failed", ExitStatus::VerifyFailed, false, LinesReport::WhenAny,
     "not attempted", lang::StatusText::VerifyFailed},
    {TransferEnd::ImageRefused, "image refused", ExitStatus::Usage, false, LinesReport::Never, "not attempted",
     lang::StatusText::WriteRefused},
    {TransferEnd::LogFailed, "log not written", ExitStatus::LogNotWritten, false, LinesReport::Never, "not attempted",
     lang::StatusText::LogNotWritten},
});

constexpr const Ending& EndingOf(TransferEnd end) { return Endings[static_cast<std::size_t>(end)]; }

// Every ending has its row, at its enum's place.
static_assert(std::ranges::all_of(Endings, [](const Ending& row) { return &EndingOf(row.end) == &row; }));

}  // namespace zr
