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
inline constexpr quint8 RadioStopBits = 0;  // one
inline constexpr quint8 RadioParity = 0;    // none
inline constexpr quint8 RadioEofChar = 26;
inline constexpr quint32 RadioTimeoutMs = 300;

// Serial port access: opening the radio's port with its line settings,
// purging, reading and writing, closing. Keeps the open handle, records it in
// the settings file and switches the port-list refresh off while a port is open.
class RadioPort {
 public:
  RadioPort(SerialDevice& device, StationState& state, TransferHost& host, platform::SettingsFile& settings);

  qint32 OpenPort(qint16 portNumber);
  bool SetPortState(qint32 handle, quint32 baudRate, quint8 byteSize, quint8 stopBits, quint8 parity, quint8 eofChar);
  bool SetPortTimeouts(qint32 handle, quint32 readTimeout, quint32 writeTimeout);
  void PurgePort(qint32 handle, bool input, bool output);
  qint32 WritePort(qint32 handle, const Bytes& bytes);
  // Reads `expectedLength` bytes into `readBuffer` (resized to what came); returns the count.
  qint32 ReadPort(qint32 handle, int expectedLength, Bytes& readBuffer);
  void ClosePort();
  // Opens CurrentComPort for the transfer that OperationMode names.
  bool OpenRadioPort();
  // Why the last OpenRadioPort failed; why the device last fell short.
  const QString& OpenFailure() const { return openFailure_; }
  QString DeviceError() const { return device_.ErrorText(); }

  qint32 PortHandle = 0;
  bool LoopArmed = false;

 private:
  void WriteCommHandle(qint32 handle);

  SerialDevice& device_;
  StationState& state_;
  TransferHost& host_;
  platform::SettingsFile& settings_;
  QString openFailure_;
};

}  // namespace zr
