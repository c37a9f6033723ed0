#pragma once

#include <QString>
#include <QtGlobal>

#include "link/frames.h"

namespace zr {

// The line fields the station changes; everything else stays as the driver has it.
struct LineState {
  quint32 BaudRate = 0;
  quint8 ByteSize = 8;
  quint8 StopBits = 0;  // 0 one, 1 one and a half, 2 two
  quint8 Parity = 0;    // 0 none, 1 odd, 2 even, 3 mark, 4 space
  quint8 EofChar = 0;
};

// Read and write time-outs in milliseconds. A read of N bytes returns when N
// bytes are in, when ReadInterval passes between two bytes after the first, or
// after ReadTotalMultiplier * N + ReadTotalConstant in all.
struct LineTimeouts {
  quint32 ReadInterval = 0;
  quint32 ReadTotalMultiplier = 0;
  quint32 ReadTotalConstant = 0;
  quint32 WriteTotalMultiplier = 0;
  quint32 WriteTotalConstant = 0;
};

// Purge flags.
namespace PurgeFlags {
inline constexpr int TxAbort = 0x1;
inline constexpr int RxAbort = 0x2;
inline constexpr int TxClear = 0x4;
inline constexpr int RxClear = 0x8;
}  // namespace PurgeFlags

// One serial device as the operating system offers it: the only code that
// touches the hardware. The real one sits on QSerialPort; tests script one.
class SerialDevice {
 public:
  virtual ~SerialDevice() = default;
  // Opens the device exclusively; returns its handle, 0 on failure.
  virtual qint32 Open(const QString& deviceName) = 0;
  virtual bool GetState(LineState& state) = 0;
  virtual bool SetState(const LineState& state) = 0;
  virtual bool SetTimeouts(const LineTimeouts& timeouts) = 0;
  virtual void Purge(int flags) = 0;
  // Writes all bytes synchronously; returns the count written.
  virtual qint32 Write(const Bytes& bytes) = 0;
  // Reads up to `count` bytes under the time-outs; empty when nothing came.
  virtual Bytes Read(int count) = 0;
  virtual void Close() = 0;
  // Why the last Open, Write or Read fell short, in the system's words; empty
  // when nothing went wrong.
  virtual QString ErrorText() const { return QString(); }
};

}  // namespace zr
