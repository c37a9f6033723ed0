#include "link/qt_serial_device.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QFile>
#include <algorithm>
#include <cerrno>
#include <chrono>

#include "platform/serial_devices.h"

namespace zr {

namespace {

using Clock = std::chrono::steady_clock;
using Milliseconds = std::chrono::milliseconds;

int RemainingMs(Clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<Milliseconds>(deadline - Clock::now()).count();
  return static_cast<int>(std::max<decltype(left)>(left, 0));
}

QSerialPort::Parity ParityFromCode(LineParity code) {
  switch (code) {
    case LineParity::Odd: return QSerialPort::OddParity;
    case LineParity::Even: return QSerialPort::EvenParity;
    case LineParity::Mark: return QSerialPort::MarkParity;
    case LineParity::Space: return QSerialPort::SpaceParity;
    case LineParity::None: break;
  }
  return QSerialPort::NoParity;
}

LineParity CodeFromParity(QSerialPort::Parity parity) {
  switch (parity) {
    case QSerialPort::OddParity: return LineParity::Odd;
    case QSerialPort::EvenParity: return LineParity::Even;
    case QSerialPort::MarkParity: return LineParity::Mark;
    case QSerialPort::SpaceParity: return LineParity::Space;
    default: return LineParity::None;
  }
}

QSerialPort::StopBits StopBitsFromCode(LineStopBits code) {
  switch (code) {
    case LineStopBits::OneAndHalf: return QSerialPort::OneAndHalfStop;
    case LineStopBits::Two: return QSerialPort::TwoStop;
    case LineStopBits::One: break;
  }
  return QSerialPort::OneStop;
}

LineStopBits CodeFromStopBits(QSerialPort::StopBits stopBits) {
  switch (stopBits) {
    case QSerialPort::OneAndHalfStop: return LineStopBits::OneAndHalf;
    case QSerialPort::TwoStop: return LineStopBits::Two;
    default: return LineStopBits::One;
  }
}

// Whether this user lacks the rights to open `path` for reading and writing;
// asked after an open failed, so that a busy or vanished device is not taken
// for one the user may not open.
bool AccessDenied(const QString& path) {
  return ::faccessat(AT_FDCWD, QFile::encodeName(path).constData(), R_OK | W_OK, AT_EACCESS) != 0 && errno == EACCES;
}

}  // namespace

QtSerialDevice::~QtSerialDevice() { Close(); }

qint32 QtSerialDevice::Open(const QString& deviceName) {
  error_.clear();
  location_.clear();
  openError_ = PortOpenError::Other;
  if (port_.isOpen()) {
    error_ = QStringLiteral("a port is already open");
    return 0;
  }
  const QString path = platform::ResolvePortDevice(deviceName);
  if (path.isEmpty()) {
    error_ = QStringLiteral("no serial port %1 on this PC").arg(deviceName);
    return 0;
  }
  port_.setPortName(path);
  if (!port_.open(QIODevice::ReadWrite)) {
    error_ = QStringLiteral("%1: %2").arg(path, port_.errorString());
    if (AccessDenied(path)) openError_ = PortOpenError::PermissionDenied;
    return 0;
  }
  // QSerialPort's lock file and TIOCEXCL do not stop root; an exclusive lock
  // on the open file does, in this process as in any other.
  const int fd = static_cast<int>(port_.handle());
  if (fd <= 0 || ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    error_ = QStringLiteral("%1 is in use by another program").arg(path);
    port_.close();
    return 0;
  }
  location_ = path;
  openError_ = PortOpenError::None;
  return fd;
}

bool QtSerialDevice::GetState(LineState& state) {
  if (!port_.isOpen()) return false;
  state.BaudRate = static_cast<quint32>(port_.baudRate());
  state.ByteSize = static_cast<quint8>(port_.dataBits());
  state.Parity = CodeFromParity(port_.parity());
  state.StopBits = CodeFromStopBits(port_.stopBits());
  state.EofChar = eofChar_;
  return true;
}

bool QtSerialDevice::SetState(const LineState& state) {
  if (!port_.isOpen()) return false;
  if (state.ByteSize < 5 || state.ByteSize > 8) return false;
  const bool applied = port_.setBaudRate(static_cast<qint32>(state.BaudRate)) &&
                       port_.setDataBits(static_cast<QSerialPort::DataBits>(state.ByteSize)) &&
                       port_.setParity(ParityFromCode(state.Parity)) &&
                       port_.setStopBits(StopBitsFromCode(state.StopBits));
  if (applied) eofChar_ = state.EofChar;
  return applied;
}

bool QtSerialDevice::SetTimeouts(const LineTimeouts& timeouts) {
  if (!port_.isOpen()) return false;
  timeouts_ = timeouts;
  return true;
}

void QtSerialDevice::Purge(PurgeFlags flags) {
  if (!port_.isOpen()) return;
  const bool input = HasAny(flags, PurgeFlags::RxAbort | PurgeFlags::RxClear);
  const bool output = HasAny(flags, PurgeFlags::TxAbort | PurgeFlags::TxClear);
  if (input && output) {
    port_.clear(QSerialPort::AllDirections);
  } else if (input) {
    port_.clear(QSerialPort::Input);
  } else if (output) {
    port_.clear(QSerialPort::Output);
  }
}

qint32 QtSerialDevice::Write(const Bytes& bytes) {
  error_.clear();
  if (!port_.isOpen() || bytes.empty()) return 0;
  const auto size = static_cast<qint64>(bytes.size());
  const qint64 queued = port_.write(reinterpret_cast<const char*>(bytes.data()), size);
  if (queued <= 0) {
    error_ = port_.errorString();
    return 0;
  }
  const auto deadline =
      Clock::now() + Milliseconds(timeouts_.WriteTotalMultiplier * bytes.size() + timeouts_.WriteTotalConstant);
  while (port_.bytesToWrite() > 0) {
    const int left = RemainingMs(deadline);
    if (left == 0 || !port_.waitForBytesWritten(left)) break;
  }
  return static_cast<qint32>(queued - port_.bytesToWrite());
}

Bytes QtSerialDevice::Read(int count) {
  Bytes received;
  error_.clear();
  if (!port_.isOpen() || count <= 0) return received;
  received.reserve(static_cast<std::size_t>(count));
  const auto total = Clock::now() + Milliseconds(timeouts_.ReadTotalMultiplier * static_cast<quint32>(count) +
                                                 timeouts_.ReadTotalConstant);
  Clock::time_point lastArrival;
  for (;;) {
    if (port_.bytesAvailable() > 0) {
      const QByteArray chunk = port_.read(count - static_cast<qint64>(received.size()));
      received.insert(received.end(), chunk.begin(), chunk.end());
      if (!chunk.isEmpty()) lastArrival = Clock::now();
    }
    if (static_cast<int>(received.size()) >= count) break;
    auto deadline = total;
    if (!received.empty() && timeouts_.ReadInterval != 0) {
      deadline = std::min(deadline, lastArrival + Milliseconds(timeouts_.ReadInterval));
    }
    const int left = RemainingMs(deadline);
    if (left == 0) break;
    if (!port_.waitForReadyRead(left) && port_.error() != QSerialPort::TimeoutError) {
      error_ = port_.errorString();  // device gone
      break;
    }
    port_.clearError();
  }
  return received;
}

void QtSerialDevice::Close() {
  if (port_.isOpen()) port_.close();
}

}  // namespace zr
