#include "app/window/outcome_status.h"

#include <optional>

#include "lang/status_texts.h"

namespace zr::window {

QString OutcomeStatus(const TransferOutcome& outcome, lang::UiLanguage uiLanguage) {
  const std::optional<lang::StatusText> what = EndingOf(outcome.end).status;
  if (!what) return QString();
  QString status = lang::StatusLineText(uiLanguage, *what, outcome.cause);
  if (outcome.portOpenError == PortOpenError::PermissionDenied) {
    status += lang::StatusTextOf(lang::StatusText::DialoutHint, uiLanguage);
  }
  return status;
}

}  // namespace zr::window
