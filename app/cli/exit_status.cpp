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

int ExitStatusOf(const TransferOutcome& outcome) { return EndingOf(outcome.end).exitStatus; }

void PrintCause(QTextStream& err, const TransferOutcome& outcome) {
  if (outcome.cause.isEmpty()) return;
  err << "zr93kw-setfactory: " << EndName(outcome.end) << ": " << VisibleText(outcome.cause)
      << (outcome.portOpenError == PortOpenError::PermissionDenied ? DialoutHint() : QString()) << '\n';
  // A transfer cut short says how far it got; a stopped one says it even when it wrote nothing.
  const LinesReport report = EndingOf(outcome.end).linesReport;
  if (report == LinesReport::Always || (report == LinesReport::WhenAny && !outcome.linesWritten.empty())) {
    err << "zr93kw-setfactory: lines written: " << DescribeLines(outcome.linesWritten) << '\n';
  }
  err.flush();
}

}  // namespace zr::cli
