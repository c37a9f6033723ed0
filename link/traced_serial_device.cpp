#include "link/traced_serial_device.h"

namespace zr {

namespace {

QString Hex(const Bytes& bytes) {
  return QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()))
      .toHex(' ')
      .toUpper();
}

}  // namespace

TracedSerialDevice::TracedSerialDevice(SerialDevice& device, QTextStream& trace) : device_(device), trace_(trace) {
  clock_.start();
}

void TracedSerialDevice::Line(const char* direction, const QString& what) {
  trace_ << QStringLiteral("%1 ms ").arg(clock_.elapsed(), 7) << direction << ' ' << what << Qt::endl;
}

qint32 TracedSerialDevice::Open(const QString& deviceName) {
  const qint32 handle = device_.Open(deviceName);
  Line("=", QStringLiteral("open %1: %2").arg(deviceName, handle != 0 ? QStringLiteral("ok") : QStringLiteral("failed")));
  return handle;
}

qint32 TracedSerialDevice::Write(const Bytes& bytes) {
  Line(">", Hex(bytes));
  return device_.Write(bytes);
}

Bytes TracedSerialDevice::Read(int count) {
  Bytes bytes = device_.Read(count);
  Line("<", bytes.empty() ? QStringLiteral("(nothing within the time-outs)") : Hex(bytes));
  return bytes;
}

void TracedSerialDevice::Close() {
  device_.Close();
  Line("=", QStringLiteral("close"));
}

}  // namespace zr
