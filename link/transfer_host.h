#pragma once

#include <QString>

#include "link/transfer_outcome.h"

namespace zr {

// Message box styles and button codes, as the station's message boxes use them.
enum class MessageStyle { OkOnly = -1, YesNo = 4, OkCancelWarning = 49 };

enum class MessageButton { None = 0, Ok = 1, Cancel = 2, Yes = 6, No = 7 };

// The association modes of the window's option buttons.
enum class AssociationMode { ScanCodeWrite, AutoIncrement, NoPackageAssociation };

// What a transfer needs from the window. The window, the command line and the
// tests implement it; the link never sees a widget.
class TransferHost {
 public:
  virtual ~TransferHost() = default;

  // Lets pending window events run (between reads of a transfer).
  virtual void ProcessPendingEvents() = 0;
  // The system's message box: pauses the focus pull while open; returns the
  // button pressed (MessageButton::None for the OK-only style).
  virtual MessageButton ShowMessage(const QString& text, MessageStyle style) = 0;
  // A plain OK box shown directly (the focus pull keeps running).
  virtual void ShowPlainMessage(const QString& text) = 0;
  // Turns the port-list refresh on and off.
  virtual void SetPortListRefresh(bool enabled) = 0;

  // Puts the radio's serial number into the serial-number box.
  virtual void ShowSerialNumber(const QString& serialNumber) = 0;
  // Window into record; false when the write is refused ("write error" shown).
  virtual bool GetDataByShow() = 0;
  // Record into window; may raise RuntimeError for a value a control cannot take.
  virtual void ShowByData() = 0;

  virtual AssociationMode SelectedMode() const = 0;
  // The caption of the status label.
  virtual void SetStatusLabel(const QString& text) = 0;
  // Empties the package-code box for the next box.
  virtual void AdvancePackageCode() = 0;
  // How the transfer ended, once, before its last message is shown.
  virtual void TransferEnded(const TransferOutcome&) {}
  // A frame went out (a resend too): how far the transfer is, of about
  // `plannedFrames` frames in all.
  virtual void FrameSent(const TransferOutcome& /*progress*/, int /*plannedFrames*/) {}
};

}  // namespace zr
