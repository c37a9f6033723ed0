#include "link/radio_link.h"

namespace zr {

RadioLink::RadioLink(StationState& state, TransferHost& host, SerialDevice& device, platform::SettingsFile& settings,
                     const platform::AnsiCodePage& codePage, PackageAssociations& associations,
                     std::chrono::milliseconds startDelay)
    : state_(state),
      port_(device, state, host, settings),
      engine_(state, port_, host),
      sequences_(state, engine_, port_, host, codePage, associations),
      windowValues_(state, host, codePage) {
  engine_.SetSteps(sequences_);
  timerComm_.setInterval(startDelay);
  timerComm_.setSingleShot(true);
  QObject::connect(&timerComm_, &QTimer::timeout, [this] { Timer_Comm_Timer(); });
}

bool RadioLink::StartRead() { return StartTransfer(TransferKind::Read); }

bool RadioLink::StartWrite() { return StartWrite(windowValues_); }

bool RadioLink::StartWrite(WriteSource& source) {
  if (Busy()) return false;
  sequences_.SetWriteSource(source);
  return StartTransfer(source.Kind());
}

bool RadioLink::StartTransfer(TransferKind kind) {
  if (Busy()) return false;
  engine_.BeginTransfer(kind);
  state_.OperationMode = kind == TransferKind::Read ? OperationModes::Read : OperationModes::Write;
  state_.CommState = CommSteps::PortOpened;
  if (!port_.OpenRadioPort()) {
    state_.OperationMode = OperationModes::Idle;
    engine_.Progress().portOpenError = port_.DeviceOpenError();
    engine_.End(TransferEnd::PortNotOpened, port_.OpenFailure());
    port_.ShowOpenFailure();
    return false;
  }
  engine_.Progress().device = port_.DeviceLocation();
  state_.CurAddress = AddressBeforeBlock;
  state_.CommState = CommSteps::ProgramSent;
  timerComm_.start();
  return true;
}

bool RadioLink::Busy() const { return port_.IsOpen() || timerComm_.isActive(); }

void RadioLink::RequestStop(const QString& cause) { engine_.RequestStop(cause); }

void RadioLink::Close() {
  timerComm_.stop();
  // Closing writes "CommHandle" = "0" whether or not a port was open; a
  // running transfer sees its port closed and returns.
  port_.ClosePort();
}

void RadioLink::Timer_Comm_Timer() {
  timerComm_.stop();
  if (state_.OperationMode != OperationModes::Read && state_.OperationMode != OperationModes::Write) return;
  if (engine_.StopRequested()) {
    // Nothing was sent yet: the radio never entered programming mode.
    state_.OperationMode = OperationModes::Idle;
    port_.ClosePort();
    engine_.End(TransferEnd::Interrupted, engine_.StopCause());
    return;
  }
  sequences_.SendProgram();
}

}  // namespace zr
