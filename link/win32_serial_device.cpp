#include "link/win32_serial_device.h"

#include <windows.h>

#include <cstdint>

#include "platform/serial_devices.h"
#include "platform/windows_support.h"

namespace zr {

namespace {

HANDLE PortHandle(void* handle) { return static_cast<HANDLE>(handle); }

// The port's device control block as the driver has it; false without a port.
bool ReadControlBlock(void* handle, DCB& control) {
  control = DCB{};
  control.DCBlength = sizeof control;
  return handle != nullptr && GetCommState(PortHandle(handle), &control);
}

}  // namespace

Win32SerialDevice::~Win32SerialDevice() { Close(); }

qint32 Win32SerialDevice::Open(const QString& deviceName) {
  error_.clear();
  location_.clear();
  openError_ = PortOpenError::Other;
  if (handle_ != nullptr) {
    error_ = QStringLiteral("a port is already open");
    return 0;
  }
  // Share mode 0: nobody else, this program included, opens the port meanwhile.
  const HANDLE port = CreateFileA(deviceName.toLatin1().constData(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
  if (port == INVALID_HANDLE_VALUE) {
    // The two usual causes in the operator's words; the system's otherwise.
    const DWORD error = GetLastError();
    error_ = error == ERROR_FILE_NOT_FOUND ? QStringLiteral("no serial port %1 on this PC").arg(deviceName)
             : error == ERROR_ACCESS_DENIED
                 ? QStringLiteral("%1 is in use by another program").arg(deviceName)
                 : QStringLiteral("%1: %2").arg(deviceName, platform::WindowsErrorText(error));
    return 0;
  }
  handle_ = port;
  openError_ = PortOpenError::None;
  const QString device = platform::ResolvePortDevice(deviceName);
  location_ = device.isEmpty() ? deviceName : device;
  // Windows keeps handle values within 32 bits so that 32-bit programs can
  // share them; the settings file records this value as the handle.
  return static_cast<qint32>(reinterpret_cast<std::intptr_t>(port));
}

bool Win32SerialDevice::GetState(LineState& state) {
  DCB control;
  if (!ReadControlBlock(handle_, control)) return false;
  state.BaudRate = control.BaudRate;
  state.ByteSize = control.ByteSize;
  state.StopBits = static_cast<LineStopBits>(control.StopBits);
  state.Parity = static_cast<LineParity>(control.Parity);
  state.EofChar = static_cast<quint8>(control.EofChar);
  return true;
}

bool Win32SerialDevice::SetState(const LineState& state) {
  DCB control;
  if (!ReadControlBlock(handle_, control)) return false;
  // Flow control, the DTR and RTS lines and the special characters stay as
  // the driver has them.
  control.BaudRate = state.BaudRate;
  control.ByteSize = state.ByteSize;
  control.StopBits = static_cast<BYTE>(state.StopBits);
  control.Parity = static_cast<BYTE>(state.Parity);
  control.EofChar = static_cast<char>(state.EofChar);
  return SetCommState(PortHandle(handle_), &control) != 0;
}

bool Win32SerialDevice::SetTimeouts(const LineTimeouts& timeouts) {
  if (handle_ == nullptr) return false;
  COMMTIMEOUTS system{};
  system.ReadIntervalTimeout = timeouts.ReadInterval;
  system.ReadTotalTimeoutMultiplier = timeouts.ReadTotalMultiplier;
  system.ReadTotalTimeoutConstant = timeouts.ReadTotalConstant;
  system.WriteTotalTimeoutMultiplier = timeouts.WriteTotalMultiplier;
  system.WriteTotalTimeoutConstant = timeouts.WriteTotalConstant;
  return SetCommTimeouts(PortHandle(handle_), &system) != 0;
}

void Win32SerialDevice::Purge(PurgeFlags flags) {
  // The flags carry PurgeComm's own values.
  if (handle_ != nullptr && flags != PurgeFlags::None) PurgeComm(PortHandle(handle_), static_cast<DWORD>(flags));
}

qint32 Win32SerialDevice::Write(const Bytes& bytes) {
  error_.clear();
  if (handle_ == nullptr || bytes.empty()) return 0;
  DWORD written = 0;
  if (!WriteFile(PortHandle(handle_), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr)) {
    error_ = platform::LastWindowsErrorText();
  }
  return static_cast<qint32>(written);
}

Bytes Win32SerialDevice::Read(int count) {
  error_.clear();
  if (handle_ == nullptr || count <= 0) return {};
  Bytes received(static_cast<std::size_t>(count));
  DWORD got = 0;
  if (!ReadFile(PortHandle(handle_), received.data(), static_cast<DWORD>(count), &got, nullptr)) {
    error_ = platform::LastWindowsErrorText();  // the cable pulled, say
  }
  received.resize(got);
  return received;
}

void Win32SerialDevice::Close() {
  if (handle_ == nullptr) return;
  CloseHandle(PortHandle(handle_));
  handle_ = nullptr;
}

}  // namespace zr
