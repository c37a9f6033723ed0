#pragma once

#include "link/serial_device.h"

namespace zr {

// A COM port of a Windows PC through the system's own calls: CreateFileA of
// the port's device name ("COM3", "\\.\COM12"), exclusive and synchronous;
// GetCommState and SetCommState, which keep every field of the device control
// block that the line state does not name; SetCommTimeouts, whose time-outs
// the driver applies to each ReadFile and WriteFile; PurgeComm; CloseHandle.
// This is also the road that works under Wine: Wine does not complete the
// overlapped waits that event-driven serial classes rely on.
class Win32SerialDevice : public SerialDevice {
 public:
  Win32SerialDevice() = default;
  ~Win32SerialDevice() override;
  Win32SerialDevice(const Win32SerialDevice&) = delete;
  Win32SerialDevice& operator=(const Win32SerialDevice&) = delete;

  qint32 Open(const QString& deviceName) override;
  bool GetState(LineState& state) override;
  bool SetState(const LineState& state) override;
  bool SetTimeouts(const LineTimeouts& timeouts) override;
  void Purge(PurgeFlags flags) override;
  qint32 Write(const Bytes& bytes) override;
  Bytes Read(int count) override;
  void Close() override;
  QString ErrorText() const override { return error_; }
  // Windows has no group to join: a port it refuses is one in use.
  PortOpenError OpenError() const override { return openError_; }
  QString Location() const override { return location_; }

 private:
  void* handle_ = nullptr;  // the port's HANDLE; null when none is open
  QString error_;
  PortOpenError openError_ = PortOpenError::None;
  QString location_;
};

}  // namespace zr
