#include "app/cli/exit_status.h"

#include "app/cli/visible_text.h"
#include "platform/user_account.h"

namespace zr::cli {

namespace {

// What the operator can do about a port this user may not open: serial
// devices belong to the dialout group.
QString DialoutHint() {
  const QString user = platform::UserAccountName();
  return QStringLiteral(" (the user may need to be in the dialout group: sudo usermod -aG dialout %1, then log in again)")
      .arg(user.isEmpty() ? QStringLiteral("USER") : user);
}

}  // namespace

int ExitStatusOf(const TransferOutcome& outcome) {
  switch (outcome.end) {
    case TransferEnd::ReadComplete:
    case TransferEnd::WriteComplete: return ExitStatus::Success;
    case TransferEnd::PortNotOpened: return ExitStatus::PortNotOpened;
    case TransferEnd::CommunicationFailed: return ExitStatus::CommunicationFailed;
    case TransferEnd::ModelError: return ExitStatus::ModelError;
    case TransferEnd::WriteRefused: return ExitStatus::WriteRefused;
    case TransferEnd::AssociationMissing: return ExitStatus::AssociationMissing;
    case TransferEnd::DatabaseFailed: return ExitStatus::DatabaseFailed;
    case TransferEnd::RuntimeError: return ExitStatus::RuntimeError;
    case TransferEnd::BackupFailed: return ExitStatus::BackupFailed;
    case TransferEnd::VerifyFailed: return ExitStatus::VerifyFailed;
    case TransferEnd::ImageRefused: return ExitStatus::Usage;
    case TransferEnd::LogFailed: return ExitStatus::LogNotWritten;
    // Without a signal only a vanished port interrupts a command's transfer.
    case TransferEnd::Interrupted: return ExitStatus::CommunicationFailed;
  }
  return ExitStatus::RuntimeError;
}

void PrintCause(QTextStream& err, const TransferOutcome& outcome) {
  if (outcome.cause.isEmpty()) return;
  err << "zr93kw-setfactory: " << EndName(outcome.end) << ": " << VisibleText(outcome.cause)
      << (outcome.portOpenError == PortOpenError::PermissionDenied ? DialoutHint() : QString()) << '\n';
  // A transfer cut short says how far it got; a stopped one says it even when it wrote nothing.
  const bool cutShort = outcome.end == TransferEnd::CommunicationFailed || outcome.end == TransferEnd::RuntimeError ||
                        outcome.end == TransferEnd::VerifyFailed;
  if (outcome.end == TransferEnd::Interrupted || (cutShort && !outcome.linesWritten.empty())) {
    err << "zr93kw-setfactory: lines written: " << DescribeLines(outcome.linesWritten) << '\n';
  }
  err.flush();
}

}  // namespace zr::cli
