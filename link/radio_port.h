#pragma once

#include <QString>
#include <QtGlobal>

#include "link/frames.h"
#include "link/serial_device.h"
#include "link/station_state.h"
#include "link/transfer_host.h"

namespace zr::platform {
class SettingsFile;
}

namespace zr {

// The radio's line settings.
inline constexpr quint32 RadioBaudRate = 921600;
inline constexpr quint8 RadioByteSize = 8;
inline constexpr LineStopBits RadioStopBits = LineStopBits::One;
inline constexpr LineParity RadioParity = LineParity::None;
inline constexpr quint8 RadioEofChar = 26;
inline constexpr quint32 RadioTimeoutMs = 300;

// Serial port access: opening the radio's port with its line settings,
// purging, reading and writing, closing. Keeps the open handle. Opening and
// closing a port is a session: while it is open the handle is recorded in the
// settings file ("CommHandle") and the port-list refresh is off.
class RadioPort {
 public:
  RadioPort(SerialDevice& device, StationState& state, TransferHost& host, platform::SettingsFile& settings);

  // Opens CurrentComPort for the transfer that OperationMode names and arms
  // the receive loop; false when it cannot (OpenFailure says why).
  bool OpenRadioPort();
  // "Cannot Open Communication Port.", after the failed open's end is recorded.
  void ShowOpenFailure();
  void ClosePort();
  bool IsOpen() const { return portHandle_ != 0; }
  // Whether the receive loop is still to start for this port; clears it.
  bool TakeLoopArm();

  void PurgePort(bool input, bool output);
  qint32 WritePort(const Bytes& bytes);
  // Reads `expectedLength` bytes into `readBuffer` (resized to what came); returns the count.
  qint32 ReadPort(int expectedLength, Bytes& readBuffer);

  // Why the last OpenRadioPort failed; why the device last fell short.
  const QString& OpenFailure() const { return openFailure_; }
  QString DeviceError() const { return device_.ErrorText(); }
  PortOpenError DeviceOpenError() const { return device_.OpenError(); }
  // The device the port opened ("/dev/ttyUSB0").
  QString DeviceLocation() const { return device_.Location(); }

 private:
  qint32 OpenPort(qint16 portNumber);
  bool SetPortState(quint32 baudRate, quint8 byteSize, LineStopBits stopBits, LineParity parity, quint8 eofChar);
  bool SetPortTimeouts(quint32 readTimeout, quint32 writeTimeout);
  // The session's side effects, in one place each.
  void OpenSession(qint32 handle);
  void CloseSession();
  void WriteCommHandle(qint32 handle);

  SerialDevice& device_;
  StationState& state_;
  TransferHost& host_;
  platform::SettingsFile& settings_;
  qint32 portHandle_ = 0;
  bool loopArmed_ = false;
  QString openFailure_;
  bool openRaised_ = false;  // the failed open raised an error
};

}  // namespace zr
