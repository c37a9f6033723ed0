#pragma once

#include <QElapsedTimer>
#include <QtGlobal>
#include <array>
#include <cstdint>
#include <optional>
#include <span>

#include "link/frames.h"
#include "link/radio_port.h"
#include "link/station_state.h"
#include "link/transfer_host.h"
#include "link/transfer_outcome.h"

namespace zr {

// What the engine hands each recognised reply to: the read and write sequences.
class TransferSteps {
 public:
  virtual ~TransferSteps() = default;
  virtual void NextStep() = 0;
  virtual void StoreDataReply(std::span<const std::uint8_t> reply) = 0;
  // How a run-time error raised now ends the transfer: most are a run-time
  // error, one raised while recording the package association is the database's.
  virtual TransferEnd EndForError() const = 0;
  // The frames the transfer sends when all goes well.
  virtual int PlannedFrames() const = 0;
};

// Runs one transfer: sends a frame and arms its reply, polls for reply bytes
// while the window keeps handling its events, recognises the reply, resends a
// missing or unrecognised one at most twice, and reports how the transfer ended.
class TransferEngine {
 public:
  static constexpr int MaxResends = 2;
  // A radio that asks for every frame again would keep the station resending
  // for ever; after this many repeat requests the frame counts as unanswered.
  static constexpr int MaxRepeatRequests = 20;

  TransferEngine(StationState& state, RadioPort& port, TransferHost& host);
  void SetSteps(TransferSteps& steps) { steps_ = &steps; }

  // Sends a frame (or, with resend set, the stored one again) and, for the
  // first frame after the port opened, runs the receive loop. Any error inside
  // ends the transfer: the port closes and "Cannot Open Communication Port."
  // shows. This is the one place a run-time error of a transfer is caught.
  void SendFrame(const Bytes& frame, int expectedLength, bool resend);
  void ResendFrame();
  void RunReceiveLoop();
  void ReceiveStep();

  // A new transfer: no outcome yet, nothing sent or written, no stop asked for.
  void BeginTransfer(TransferKind kind);
  // The outcome as the transfer builds it: what it read, sent and saved.
  TransferOutcome& Progress() { return progress_; }
  // Records how the transfer ended and tells the host; the first end counts.
  void End(TransferEnd end, const QString& cause = QString());
  // The run-time error path: closes the port if open, records the end, and
  // shows "Cannot Open Communication Port.".
  void Fail(TransferEnd end, const QString& cause);
  const std::optional<TransferOutcome>& Outcome() const { return outcome_; }

  // Asks the transfer to stop at the next frame boundary ("END" is sent first).
  void RequestStop(const QString& cause);
  bool StopRequested() const { return !stopCause_.isEmpty(); }
  const QString& StopCause() const { return stopCause_; }

 private:
  void EvaluateReply();
  bool IsReplyToRequest(std::span<const std::uint8_t> reply) const;
  void NoReply(const QString& why);

  StationState& state_;
  RadioPort& port_;
  TransferHost& host_;
  TransferSteps* steps_ = nullptr;

  qint16 retryCount_ = 0;
  std::array<std::uint8_t, 128> replyBuffer_{};
  bool receivePending_ = false;
  Bytes sendBuffer_;
  int expectedLength_ = 0;
  int collectedCount_ = 0;
  int repeatRequests_ = 0;
  Bytes readBuffer_;
  TransferOutcome progress_;
  QElapsedTimer clock_;
  std::optional<TransferOutcome> outcome_;
  QString stopCause_;
};

// "PROGRAM", "END", "read of line 0x30", "write of line 0x40".
QString DescribeFrame(const Bytes& frame);

}  // namespace zr
