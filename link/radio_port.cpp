#include "link/radio_port.h"

#include "lang/messages.h"
#include "record/runtime_error.h"
#include "platform/serial_devices.h"
#include "platform/settings_file.h"

namespace zr {

namespace {
const QString SettingsSection = QStringLiteral("language");
const QString CommHandleKey = QStringLiteral("CommHandle");
}  // namespace

RadioPort::RadioPort(SerialDevice& device, StationState& state, TransferHost& host, platform::SettingsFile& settings)
    : device_(device), state_(state), host_(host), settings_(settings) {}

qint32 RadioPort::OpenPort(qint16 portNumber) {
  return device_.Open(platform::PortDeviceName(portNumber));
}

bool RadioPort::SetPortState(quint32 baudRate, quint8 byteSize, LineStopBits stopBits, LineParity parity,
                             quint8 eofChar) {
  if (portHandle_ == 0) return false;
  LineState line;
  if (!device_.GetState(line)) return false;
  line.BaudRate = baudRate;
  line.ByteSize = byteSize;
  line.StopBits = stopBits;
  line.Parity = parity;
  line.EofChar = eofChar;
  return device_.SetState(line);
}

bool RadioPort::SetPortTimeouts(quint32 readTimeout, quint32 writeTimeout) {
  if (portHandle_ == 0) return false;
  return device_.SetTimeouts(LineTimeouts{readTimeout, readTimeout, readTimeout, writeTimeout, writeTimeout});
}

void RadioPort::PurgePort(bool input, bool output) {
  if (portHandle_ == 0) return;
  PurgeFlags flags = PurgeFlags::None;
  if (input) flags = flags | PurgeFlags::RxAbort | PurgeFlags::RxClear;
  if (output) flags = flags | PurgeFlags::TxAbort | PurgeFlags::TxClear;
  if (flags != PurgeFlags::None) device_.Purge(flags);
}

qint32 RadioPort::WritePort(const Bytes& bytes) {
  if (portHandle_ == 0 || bytes.empty()) return 0;
  return device_.Write(bytes);
}

qint32 RadioPort::ReadPort(int expectedLength, Bytes& readBuffer) {
  readBuffer.clear();
  if (portHandle_ == 0 || expectedLength <= 0) return 0;
  readBuffer = device_.Read(expectedLength);
  return static_cast<qint32>(readBuffer.size());
}

bool RadioPort::TakeLoopArm() {
  const bool armed = loopArmed_;
  loopArmed_ = false;
  return armed;
}

void RadioPort::ClosePort() {
  if (portHandle_ != 0) device_.Close();
  portHandle_ = 0;
  loopArmed_ = false;
  CloseSession();
}

bool RadioPort::OpenRadioPort() {
  if (state_.OperationMode != OperationModes::Read && state_.OperationMode != OperationModes::Write) return false;
  openFailure_.clear();
  openRaised_ = false;
  try {
    state_.CommState = CommSteps::PortOpened;
    portHandle_ = OpenPort(state_.CurrentComPort);
    if (portHandle_ != 0) {
      OpenSession(portHandle_);
      if (SetPortState(RadioBaudRate, RadioByteSize, RadioStopBits, RadioParity, RadioEofChar)) {
        SetPortTimeouts(RadioTimeoutMs, RadioTimeoutMs);
        loopArmed_ = true;
        return true;
      }
      openFailure_ = QStringLiteral("COM%1 does not take the radio's line settings (921600 baud, 8N1)")
                         .arg(state_.CurrentComPort);
      ClosePort();
    } else {
      openFailure_ = device_.ErrorText();
      if (openFailure_.isEmpty()) openFailure_ = QStringLiteral("COM%1 could not be opened").arg(state_.CurrentComPort);
    }
  } catch (const RuntimeError& error) {
    openFailure_ = QString::fromStdString(error.what());
    openRaised_ = true;
    ClosePort();
  }
  return false;
}

void RadioPort::ShowOpenFailure() {
  // An error raised while opening is shown as every run-time error is; a port
  // that would not open, as a plain box.
  if (openRaised_) {
    host_.ShowMessage(lang::CannotOpenPortText, MessageStyle::OkOnly);
  } else {
    host_.ShowPlainMessage(lang::CannotOpenPortText);
  }
}

void RadioPort::OpenSession(qint32 handle) {
  state_.AssociationDone = false;
  host_.SetPortListRefresh(false);
  WriteCommHandle(handle);
}

void RadioPort::CloseSession() {
  WriteCommHandle(0);
  host_.SetPortListRefresh(true);
}

void RadioPort::WriteCommHandle(qint32 handle) {
  // A failed write of the settings file is ignored, as every settings write is.
  settings_.WriteString(SettingsSection, CommHandleKey, QString::number(handle));
}

}  // namespace zr
