#pragma once

#include <QString>
#include <QtGlobal>

#include "link/frames.h"

namespace zr {

enum class LineStopBits : quint8 { One = 0, OneAndHalf = 1, Two = 2 };
enum class LineParity : quint8 { None = 0, Odd = 1, Even = 2, Mark = 3, Space = 4 };

// The line fields the station changes; everything else stays as the driver has it.
struct LineState {
  quint32 BaudRate = 0;
  quint8 ByteSize = 8;
  LineStopBits StopBits = LineStopBits::One;
  LineParity Parity = LineParity::None;
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

// Purge flags, combined with |.
enum class PurgeFlags : int { None = 0, TxAbort = 0x1, RxAbort = 0x2, TxClear = 0x4, RxClear = 0x8 };
constexpr PurgeFlags operator|(PurgeFlags a, PurgeFlags b) {
  return static_cast<PurgeFlags>(static_cast<int>(a) | static_cast<int>(b));
}
// Whether `flags` holds any of `any`.
constexpr bool HasAny(PurgeFlags flags, PurgeFlags any) { return (static_cast<int>(flags) & static_cast<int>(any)) != 0; }

// Why the last Open failed, where the station has more to say than the
// system's words: a port the user may not open needs the dialout group.
enum class PortOpenError { None, PermissionDenied, Other };

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
  virtual void Purge(PurgeFlags flags) = 0;
  // Writes all bytes synchronously; returns the count written.
  virtual qint32 Write(const Bytes& bytes) = 0;
  // Reads up to `count` bytes under the time-outs; empty when nothing came.
  virtual Bytes Read(int count) = 0;
  virtual void Close() = 0;
  // Why the last Open, Write or Read fell short, in the system's words; empty
  // when nothing went wrong.
  virtual QString ErrorText() const { return QString(); }
  // Why the last Open failed; None when it opened or the device cannot tell.
  virtual PortOpenError OpenError() const { return PortOpenError::None; }
  // The system's path of the device the last Open opened ("/dev/ttyUSB0");
  // empty when it opened none.
  virtual QString Location() const { return QString(); }
};

}  // namespace zr
