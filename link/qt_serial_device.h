#pragma once

#include <QSerialPort>

#include "link/serial_device.h"

namespace zr {

// A serial device of this PC through QSerialPort. Port names ("COM3",
// "\\.\COM12") resolve to devices through the platform's port list. Reads
// follow the line time-outs with deadlines: a reply that arrives at once is
// returned at once.
class QtSerialDevice : public SerialDevice {
 public:
  QtSerialDevice() = default;
  ~QtSerialDevice() override;

  qint32 Open(const QString& deviceName) override;
  bool GetState(LineState& state) override;
  bool SetState(const LineState& state) override;
  bool SetTimeouts(const LineTimeouts& timeouts) override;
  void Purge(PurgeFlags flags) override;
  qint32 Write(const Bytes& bytes) override;
  Bytes Read(int count) override;
  void Close() override;
  QString ErrorText() const override { return error_; }
  PortOpenError OpenError() const override { return openError_; }
  QString Location() const override { return location_; }

 private:
  QSerialPort port_;
  LineTimeouts timeouts_;
  quint8 eofChar_ = 0;  // raw mode has no end-of-file character; kept as set
  QString error_;
  PortOpenError openError_ = PortOpenError::None;
  QString location_;
};

}  // namespace zr
