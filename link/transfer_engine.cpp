#include "link/transfer_engine.h"

#include <algorithm>
#include "lang/messages.h"
#include "record/runtime_error.h"
#include "record/factory_image.h"

namespace zr {

namespace {

QString LineName(std::uint32_t address) {
  return QStringLiteral("line ") + LineOffsetText(static_cast<int>(address - FactoryBase));
}

}  // namespace

QString DescribeFrame(const Bytes& frame) {
  if (frame == BuildProgram()) return QStringLiteral("PROGRAM");
  if (frame == BuildEnd()) return QStringLiteral("END");
  if (frame.size() >= 5 && frame[0] == ReadRequestCode) return QStringLiteral("read of ") + LineName(FrameAddress(frame));
  if (frame.size() >= 5 && frame[0] == WriteFrameCode) return QStringLiteral("write of ") + LineName(FrameAddress(frame));
  return QStringLiteral("frame");
}

TransferEngine::TransferEngine(StationState& state, RadioPort& port, TransferHost& host)
    : state_(state), port_(port), host_(host) {}

void TransferEngine::BeginTransfer(TransferKind kind) {
  outcome_.reset();
  progress_ = TransferOutcome{};
  progress_.kind = kind;
  stopCause_.clear();
  clock_.start();
}

void TransferEngine::End(TransferEnd end, const QString& cause) {
  if (outcome_) return;
  outcome_ = progress_;
  outcome_->end = end;
  outcome_->cause = cause;
  outcome_->durationMs = clock_.elapsed();
  host_.TransferEnded(*outcome_);
}

void TransferEngine::Fail(TransferEnd end, const QString& cause) {
  if (port_.IsOpen()) port_.ClosePort();
  End(end, cause);
  host_.ShowMessage(lang::CannotOpenPortText, MessageStyle::OkOnly);
}

void TransferEngine::RequestStop(const QString& cause) {
  if (stopCause_.isEmpty()) stopCause_ = cause;
}

void TransferEngine::SendFrame(const Bytes& frame, int expectedLength, bool resend) {
  try {
    if (resend) {
      ++progress_.resends;
    } else {
      ++progress_.frames;
      expectedLength_ = expectedLength;
      retryCount_ = 0;
      repeatRequests_ = 0;
      sendBuffer_ = frame;
    }
    collectedCount_ = 0;
    host_.FrameSent(progress_, steps_->PlannedFrames());
    port_.PurgePort(true, true);
    port_.WritePort(sendBuffer_);
    receivePending_ = true;
    RunReceiveLoop();
  } catch (const RuntimeError& error) {
    Fail(steps_->EndForError(), QString::fromStdString(error.what()));
  }
}

void TransferEngine::ResendFrame() {
  ++retryCount_;
  const Bytes frame = sendBuffer_;
  SendFrame(frame, expectedLength_, true);
}

void TransferEngine::RunReceiveLoop() {
  // Only the first frame after the port opened starts the loop; frames sent
  // from inside it return here at once and the loop picks up their replies.
  if (!port_.TakeLoopArm()) return;
  while (port_.IsOpen()) {
    host_.ProcessPendingEvents();
    if (receivePending_) ReceiveStep();
  }
  // Every end closes the port after saying how it ended; a port closed with
  // nothing said was closed under the transfer (the window went away).
  End(TransferEnd::Interrupted, QStringLiteral("the port was closed during the transfer"));
}

void TransferEngine::ReceiveStep() {
  receivePending_ = false;
  host_.ProcessPendingEvents();
  // The window's events may have closed the port (exit during a transfer).
  if (!port_.IsOpen()) return;

  // A reply that came in pieces is read on until it is whole; each read asks
  // only for what is still missing.
  const int n = port_.ReadPort(expectedLength_ - collectedCount_, readBuffer_);
  if (n == 0) {
    const QString deviceError = port_.DeviceError();
    NoReply(deviceError.isEmpty() ? QStringLiteral("no reply within the time-outs") : deviceError);
    return;
  }
  if (collectedCount_ + n > static_cast<int>(replyBuffer_.size()) - 1) collectedCount_ = 0;
  std::copy_n(readBuffer_.begin(), n, replyBuffer_.begin() + collectedCount_);
  collectedCount_ += n;
  if (collectedCount_ < expectedLength_) {
    receivePending_ = true;
    return;
  }
  EvaluateReply();
}

bool TransferEngine::IsReplyToRequest(std::span<const std::uint8_t> reply) const {
  // A data reply answers a read request only when it carries the line asked
  // for: a stray or late reply for another line must never be stored.
  return !sendBuffer_.empty() && sendBuffer_[0] == ReadRequestCode && FrameAddress(reply) == FrameAddress(sendBuffer_);
}

void TransferEngine::EvaluateReply() {
  const std::span<const std::uint8_t> reply(replyBuffer_.data(), static_cast<std::size_t>(collectedCount_));
  if (IsProgramAck(reply)) {
    steps_->NextStep();
    return;
  }
  collectedCount_ = 0;
  if (IsAck(reply)) {
    if (sendBuffer_[0] == WriteFrameCode) progress_.linesWritten.push_back(static_cast<int>(FrameAddress(sendBuffer_) - FactoryBase));
    steps_->NextStep();
  } else if (IsRepeatRequest(reply)) {
    if (++repeatRequests_ >= MaxRepeatRequests) {
      NoReply(QStringLiteral("%1 repeat requests").arg(repeatRequests_));
    } else {
      ResendFrame();
    }
  } else if (IsDataReply(reply)) {
    if (!IsReplyToRequest(reply)) {
      NoReply(QStringLiteral("the reply was for ") + LineName(FrameAddress(reply)));
      return;
    }
    // The reply's bytes are copied: the next frame reuses the buffer.
    const Bytes data(reply.begin(), reply.end());
    steps_->StoreDataReply(data);
    steps_->NextStep();
  } else {
    NoReply(QStringLiteral("the reply failed its test: ") +
            QByteArray(reinterpret_cast<const char*>(reply.data()), static_cast<qsizetype>(reply.size()))
                .toHex(' ')
                .toUpper());
  }
}

void TransferEngine::NoReply(const QString& why) {
  if (retryCount_ < MaxResends) {
    ResendFrame();
  } else if (EndMayGoUnanswered(state_.CommState)) {
    // Leaving programming mode needs no acknowledge: the block is complete.
    steps_->NextStep();
  } else {
    port_.ClosePort();
    End(TransferEnd::CommunicationFailed,
        QStringLiteral("%1: %2, after %3 resends").arg(DescribeFrame(sendBuffer_), why).arg(retryCount_));
    host_.ShowPlainMessage(lang::CommunicationFailedText);
  }
}

}  // namespace zr
