#pragma once

#include <QObject>
#include <QTimer>
#include <optional>

#include "link/radio_port.h"
#include "link/read_write_sequences.h"
#include "link/transfer_engine.h"

namespace zr {

// The radio link as the window's commands use it: the port, the transfer
// engine, the read and write sequences, and the one-shot start timer whose
// tick runs a whole transfer.
class RadioLink {
 public:
  static constexpr int StartDelayMs = 100;

  RadioLink(StationState& state, TransferHost& host, SerialDevice& device, platform::SettingsFile& settings,
            const platform::AnsiCodePage& codePage);

  // The Read (OperationModes::Read) and Write (OperationModes::Write)
  // commands: opens the port and arms Timer_Comm. Ignored (false, no message)
  // while a transfer holds the port or is about to start.
  bool StartTransfer(qint16 operationMode);
  // Whether a transfer holds the port or is about to start.
  bool Busy() const;
  // Stops the running transfer at its next frame boundary, after "END"; a
  // transfer not yet begun ends before its first frame. `cause` is its outcome's.
  void RequestStop(const QString& cause);
  // How the last transfer ended; empty while one runs or before the first.
  const std::optional<TransferOutcome>& Outcome() const { return engine_.Outcome(); }

  RadioPort& Port() { return port_; }
  TransferEngine& Engine() { return engine_; }
  ReadWriteSequences& Sequences() { return sequences_; }
  QTimer& Timer_Comm() { return timerComm_; }

 private:
  void Timer_Comm_Timer();

  StationState& state_;
  RadioPort port_;
  TransferEngine engine_;
  ReadWriteSequences sequences_;
  QTimer timerComm_;
};

}  // namespace zr
