#pragma once

#include <QtGlobal>
#include <array>
#include <cstdint>
#include <span>

#include "link/frames.h"
#include "link/radio_port.h"
#include "link/station_state.h"
#include "link/transfer_host.h"

namespace zr {

// What the engine hands each recognised reply to: the read and write sequences.
class TransferSteps {
 public:
  virtual ~TransferSteps() = default;
  virtual void NextStep() = 0;
  virtual void StoreDataReply(std::span<const std::uint8_t> reply) = 0;
};

// Runs one transfer: sends a frame and arms its reply, polls for reply bytes
// while the window keeps handling its events, recognises the reply, resends a
// missing or unrecognised one at most twice, and reports failure.
class TransferEngine {
 public:
  static constexpr int MaxResends = 2;

  TransferEngine(StationState& state, RadioPort& port, TransferHost& host);
  void SetSteps(TransferSteps& steps) { steps_ = &steps; }

  // Sends a frame (or, with resend set, the stored one again) and, for the
  // first frame after the port opened, runs the receive loop. Any error inside
  // ends the transfer: the port closes and "Cannot Open Communication Port." shows.
  void SendFrame(const Bytes& frame, int expectedLength, bool resend);
  void ResendFrame();
  void RunReceiveLoop();
  void ReceiveStep();

  qint16 RetryCount = 0;
  std::array<std::uint8_t, 128> ReplyBuffer{};
  bool ReceivePending = false;

 private:
  void EvaluateReply();
  void NoReply();

  StationState& state_;
  RadioPort& port_;
  TransferHost& host_;
  TransferSteps* steps_ = nullptr;

  Bytes sendBuffer_;
  int expectedLength_ = 0;
  int collectedCount_ = 0;
  Bytes readBuffer_;
};

}  // namespace zr
