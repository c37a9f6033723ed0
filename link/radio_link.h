#pragma once

#include <QObject>
#include <QTimer>
#include <chrono>
#include <optional>

#include "link/package_associations.h"
#include "link/radio_port.h"
#include "link/read_write_sequences.h"
#include "link/transfer_engine.h"
#include "link/window_values.h"

namespace zr {

// The radio link as the window's commands and the command line use it: start
// a read or a write, stop it, and learn how it ended. Inside: the port, the
// transfer engine, the read and write sequences, and the one-shot start timer
// whose tick runs a whole transfer.
class RadioLink {
 public:
  static constexpr std::chrono::milliseconds StartDelay{100};

  RadioLink(StationState& state, TransferHost& host, SerialDevice& device, platform::SettingsFile& settings,
            const platform::AnsiCodePage& codePage, PackageAssociations& associations,
            std::chrono::milliseconds startDelay = StartDelay);

  // The Read and Write commands: open the port and arm the start timer.
  // Ignored (false, no message) while a transfer holds the port or is about
  // to start; false with an outcome when the port cannot be opened.
  bool StartRead();
  // A write of the window's values.
  bool StartWrite();
  // A write whose block comes from `source` (the radio's values with a few
  // changed, a block file); `source` must outlive the transfer.
  bool StartWrite(WriteSource& source);
  // What every later write does besides writing: save the radio's block to
  // `backup` first (null: no backup), write down in `journal` that it starts
  // (null: nowhere), read the written lines back (`verify`).
  void SetWriteChecks(BlockBackup* backup, WriteJournal* journal, bool verify) {
    sequences_.SetWriteChecks(backup, journal, verify);
  }
  // Stops the running transfer at its next frame boundary, after "END"; a
  // transfer not yet begun ends before its first frame. `cause` is its outcome's.
  void RequestStop(const QString& cause);
  // Closes the port at once, as closing the window does: a running transfer
  // ends silently, one about to start never starts.
  void Close();

  // Whether a transfer holds the port or is about to start.
  bool Busy() const;
  // How the last transfer ended; empty while one runs or before the first.
  const std::optional<TransferOutcome>& Outcome() const { return engine_.Outcome(); }

  // Read-only views for tests of the link's behaviour.
  bool PortOpen() const { return port_.IsOpen(); }
  bool StartPending() const { return timerComm_.isActive(); }

 private:
  bool StartTransfer(TransferKind kind);
  void Timer_Comm_Timer();

  StationState& state_;
  RadioPort port_;
  TransferEngine engine_;
  ReadWriteSequences sequences_;
  WindowValues windowValues_;
  QTimer timerComm_;
};

}  // namespace zr
