#pragma once

#include <QTextStream>

#include "link/transfer_outcome.h"

namespace zr::cli {

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
inline constexpr int LogNotWritten = 12;       // the transfer succeeded, the station log did not take it
inline constexpr int SignalBase = 128;         // + the signal's number
}  // namespace ExitStatus

int ExitStatusOf(const TransferOutcome& outcome);

// The line after the station's message that says why, e.g.
// "zr93kw-setfactory: communication failed: read of line 0x30: no reply ...".
// Nothing for a plain success.
void PrintCause(QTextStream& err, const TransferOutcome& outcome);

}  // namespace zr::cli
