#include "app/window/outcome_status.h"

#include <optional>

#include "lang/status_texts.h"

namespace zr::window {

namespace {

std::optional<lang::StatusText> WhatFailed(TransferEnd end) {
  using lang::StatusText;
  switch (end) {
    case TransferEnd::ReadComplete:
    case TransferEnd::WriteComplete: return std::nullopt;
    case TransferEnd::AssociationMissing: return StatusText::AssociationMissing;
    case TransferEnd::WriteRefused:
    case TransferEnd::ImageRefused: return StatusText::WriteRefused;
    case TransferEnd::ModelError: return StatusText::ModelError;
    case TransferEnd::CommunicationFailed: return StatusText::CommunicationFailed;
    case TransferEnd::PortNotOpened: return StatusText::PortNotOpened;
    case TransferEnd::DatabaseFailed: return StatusText::DatabaseFailed;
    case TransferEnd::RuntimeError: return StatusText::RuntimeError;
    case TransferEnd::Interrupted: return StatusText::Interrupted;
    case TransferEnd::BackupFailed: return StatusText::BackupFailed;
    case TransferEnd::VerifyFailed: return StatusText::VerifyFailed;
    case TransferEnd::LogFailed: return StatusText::LogNotWritten;
  }
  return StatusText::RuntimeError;
}

}  // namespace

QString OutcomeStatus(const TransferOutcome& outcome, lang::UiLanguage uiLanguage) {
  const std::optional<lang::StatusText> what = WhatFailed(outcome.end);
  if (!what) return QString();
  QString status = lang::StatusLineText(uiLanguage, *what, outcome.cause);
  if (outcome.portOpenError == PortOpenError::PermissionDenied) {
    status += lang::StatusTextOf(lang::StatusText::DialoutHint, uiLanguage);
  }
  return status;
}

}  // namespace zr::window
