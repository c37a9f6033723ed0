#include "link/transfer_engine.h"

#include <algorithm>
#include <exception>

#include "lang/messages.h"

namespace zr {

TransferEngine::TransferEngine(StationState& state, RadioPort& port, TransferHost& host)
    : state_(state), port_(port), host_(host) {}

void TransferEngine::SendFrame(const Bytes& frame, int expectedLength, bool resend) {
  try {
    if (!resend) {
      expectedLength_ = expectedLength;
      RetryCount = 0;
      sendBuffer_ = frame;
    }
    collectedCount_ = 0;
    port_.PurgePort(port_.PortHandle, true, true);
    port_.WritePort(port_.PortHandle, sendBuffer_);
    ReceivePending = true;
    RunReceiveLoop();
  } catch (const std::exception&) {
    if (port_.PortHandle != 0) port_.ClosePort();
    host_.ShowMessage(lang::CannotOpenPortText, MessageStyle::OkOnly);
  }
}

void TransferEngine::ResendFrame() {
  ++RetryCount;
  const Bytes frame = sendBuffer_;
  SendFrame(frame, expectedLength_, true);
}

void TransferEngine::RunReceiveLoop() {
  // Only the first frame after the port opened starts the loop; frames sent
  // from inside it return here at once and the loop picks up their replies.
  if (!port_.LoopArmed) return;
  port_.LoopArmed = false;
  while (port_.PortHandle != 0) {
    host_.ProcessPendingEvents();
    if (ReceivePending) ReceiveStep();
  }
}

void TransferEngine::ReceiveStep() {
  ReceivePending = false;
  host_.ProcessPendingEvents();
  // The window's events may have closed the port (exit during a transfer).
  if (port_.PortHandle == 0) return;

  // A reply that came in pieces is read on until it is whole; each read asks
  // only for what is still missing.
  const int n = port_.ReadPort(port_.PortHandle, expectedLength_ - collectedCount_, readBuffer_);
  if (n == 0) {
    NoReply();
    return;
  }
  if (collectedCount_ + n > static_cast<int>(ReplyBuffer.size()) - 1) collectedCount_ = 0;
  std::copy_n(readBuffer_.begin(), n, ReplyBuffer.begin() + collectedCount_);
  collectedCount_ += n;
  if (collectedCount_ < expectedLength_) {
    ReceivePending = true;
    return;
  }
  EvaluateReply();
}

void TransferEngine::EvaluateReply() {
  const std::span<const std::uint8_t> reply(ReplyBuffer.data(), static_cast<std::size_t>(collectedCount_));
  if (IsProgramAck(reply)) {
    steps_->NextStep();
    return;
  }
  collectedCount_ = 0;
  if (IsAck(reply)) {
    steps_->NextStep();
  } else if (IsRepeatRequest(reply)) {
    ResendFrame();
  } else if (IsDataReply(reply)) {
    // The reply's bytes are copied: the next frame reuses the buffer.
    const Bytes data(reply.begin(), reply.end());
    steps_->StoreDataReply(data);
    steps_->NextStep();
  } else {
    NoReply();
  }
}

void TransferEngine::NoReply() {
  if (RetryCount < MaxResends) {
    ResendFrame();
  } else if (state_.CommState == CommSteps::EndSent || state_.CommState == CommSteps::EndAfterRefusedWrite) {
    // Leaving programming mode needs no acknowledge: the block is complete.
    steps_->NextStep();
  } else {
    port_.ClosePort();
    host_.ShowPlainMessage(lang::CommunicationFailedText);
  }
}

}  // namespace zr
