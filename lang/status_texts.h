#pragma once

#include <QString>
#include <array>

#include "lang/ui_language.h"

// The window's status line below the buttons says how a transfer goes and
// why it failed. The words the station says itself are here, in both
// languages; what the system, the serial port or the driver said is shown as
// it was said.
namespace zr::lang {

enum class StatusText {
  FrameProgress,           // "frame %1 of %2, %3 resends"
  FrameProgressOneResend,  // the same with one resend
  CommunicationFailed,
  PortNotOpened,
  DatabaseFailed,
  BackupFailed,
  LogNotWritten,
  VerifyFailed,
  ModelError,
  WriteRefused,
  RuntimeError,
  Interrupted,
  AssociationMissing,
  DialoutHint,           // follows a port's permission failure, with its own space
  PortFolderUnreadable,  // "%1 is not a readable folder", %1 "ZR93KW_PORT_DIR=/path"
  Count
};

struct StatusTextPair {
  QString English;
  QString Chinese;
};

inline constexpr std::size_t StatusTextCount = static_cast<std::size_t>(StatusText::Count);

// Indexed by StatusText.
const std::array<StatusTextPair, StatusTextCount>& StatusTexts();

// The Chinese text for UiLanguage::Chinese, the English text otherwise.
const QString& StatusTextOf(StatusText text, UiLanguage uiLanguage);

// "frame 12 of 32, 0 resends" in the window's language.
QString FrameProgressText(UiLanguage uiLanguage, int frame, int plannedFrames, int resends);

// "what: why", the station's words first, then the details as they came.
QString StatusLineText(UiLanguage uiLanguage, StatusText what, const QString& why);

}  // namespace zr::lang
