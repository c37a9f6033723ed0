#include "link/radio_port.h"

#include <exception>

#include "lang/messages.h"
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
  const qint32 handle = device_.Open(platform::PortDeviceName(portNumber));
  if (handle == 0) return 0;
  state_.AssociationDone = false;
  host_.SetPortListRefresh(false);
  return handle;
}

bool RadioPort::SetPortState(qint32 handle, quint32 baudRate, quint8 byteSize, quint8 stopBits, quint8 parity,
                             quint8 eofChar) {
  if (handle == 0) return false;
  LineState line;
  if (!device_.GetState(line)) return false;
  line.BaudRate = baudRate;
  line.ByteSize = byteSize;
  line.StopBits = stopBits;
  line.Parity = parity;
  line.EofChar = eofChar;
  return device_.SetState(line);
}

bool RadioPort::SetPortTimeouts(qint32 handle, quint32 readTimeout, quint32 writeTimeout) {
  if (handle == 0) return false;
  return device_.SetTimeouts(LineTimeouts{readTimeout, readTimeout, readTimeout, writeTimeout, writeTimeout});
}

void RadioPort::PurgePort(qint32 handle, bool input, bool output) {
  if (handle == 0) return;
  int flags = 0;
  if (input) flags |= PurgeFlags::RxAbort | PurgeFlags::RxClear;
  if (output) flags |= PurgeFlags::TxAbort | PurgeFlags::TxClear;
  if (flags != 0) device_.Purge(flags);
}

qint32 RadioPort::WritePort(qint32 handle, const Bytes& bytes) {
  if (handle == 0 || bytes.empty()) return 0;
  return device_.Write(bytes);
}

qint32 RadioPort::ReadPort(qint32 handle, int expectedLength, Bytes& readBuffer) {
  readBuffer.clear();
  if (handle == 0 || expectedLength <= 0) return 0;
  readBuffer = device_.Read(expectedLength);
  return static_cast<qint32>(readBuffer.size());
}

void RadioPort::ClosePort() {
  if (PortHandle != 0) device_.Close();
  PortHandle = 0;
  LoopArmed = false;
  WriteCommHandle(0);
  host_.SetPortListRefresh(true);
}

bool RadioPort::OpenRadioPort() {
  if (state_.OperationMode != OperationModes::Read && state_.OperationMode != OperationModes::Write) return false;
  openFailure_.clear();
  try {
    state_.CommState = CommSteps::PortOpened;
    PortHandle = OpenPort(state_.CurrentComPort);
    if (PortHandle != 0) {
      if (SetPortState(PortHandle, RadioBaudRate, RadioByteSize, RadioStopBits, RadioParity, RadioEofChar)) {
        WriteCommHandle(PortHandle);
        SetPortTimeouts(PortHandle, RadioTimeoutMs, RadioTimeoutMs);
        LoopArmed = true;
        return true;
      }
      openFailure_ = QStringLiteral("COM%1 does not take the radio's line settings (921600 baud, 8N1)")
                         .arg(state_.CurrentComPort);
      ClosePort();
    } else {
      openFailure_ = device_.ErrorText();
      if (openFailure_.isEmpty()) openFailure_ = QStringLiteral("COM%1 could not be opened").arg(state_.CurrentComPort);
    }
  } catch (const std::exception& error) {
    openFailure_ = QString::fromStdString(error.what());
    ClosePort();
    host_.ShowMessage(lang::CannotOpenPortText, MessageStyle::OkOnly);
    return false;
  }
  host_.ShowPlainMessage(lang::CannotOpenPortText);
  return false;
}

void RadioPort::WriteCommHandle(qint32 handle) {
  // A failed write of the settings file is ignored, as every settings write is.
  settings_.WriteString(SettingsSection, CommHandleKey, QString::number(handle));
}

}  // namespace zr
