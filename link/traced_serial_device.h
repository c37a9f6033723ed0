#pragma once

#include <QElapsedTimer>
#include <QTextStream>

#include "link/serial_device.h"

namespace zr {

// Passes everything to another device and prints every frame sent and every
// reply read, in hex, with the milliseconds since the trace started:
//   "    103 ms > 50 52 4F 47 52 41 4D"   (station to radio)
//   "    104 ms < 54 4B 06"               (radio to station)
class TracedSerialDevice : public SerialDevice {
 public:
  TracedSerialDevice(SerialDevice& device, QTextStream& trace);

  qint32 Open(const QString& deviceName) override;
  bool GetState(LineState& state) override { return device_.GetState(state); }
  bool SetState(const LineState& state) override { return device_.SetState(state); }
  bool SetTimeouts(const LineTimeouts& timeouts) override { return device_.SetTimeouts(timeouts); }
  void Purge(PurgeFlags flags) override { device_.Purge(flags); }
  qint32 Write(const Bytes& bytes) override;
  Bytes Read(int count) override;
  void Close() override;
  QString ErrorText() const override { return device_.ErrorText(); }
  PortOpenError OpenError() const override { return device_.OpenError(); }
  QString Location() const override { return device_.Location(); }

 private:
  void Line(const char* direction, const QString& what);

  SerialDevice& device_;
  QTextStream& trace_;
  QElapsedTimer clock_;
};

}  // namespace zr
