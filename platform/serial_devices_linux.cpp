// The port list on Linux: the system's tty devices named as COM ports, or the
// COM<n> links of the folder that ZR93KW_PORT_DIR names.
#include <QFileInfo>
#include <QSerialPortInfo>
#include <utility>

#include "platform/serial_devices.h"

namespace zr::platform {

namespace {

constexpr char kPortDirVariable[] = "ZR93KW_PORT_DIR";

}  // namespace

std::vector<SerialPortEntry> ListSystemSerialPorts() {
  std::vector<SerialPortEntry> ports;
  for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
    const std::optional<int> number = ComNumberOfSystemDevice(info.portName());
    if (number) ports.push_back({QStringLiteral("COM%1").arg(*number), info.systemLocation()});
  }
  return SortedByPortNumber(std::move(ports));
}

QString UnreadablePortDirectorySetting() {
  const QString directory = qEnvironmentVariable(kPortDirVariable);
  if (directory.isEmpty()) return QString();
  const QFileInfo folder(directory);
  if (folder.isDir() && folder.isReadable() && folder.isExecutable()) return QString();
  return QStringLiteral("%1=%2").arg(QLatin1String(kPortDirVariable), directory);
}

QString PortDirectoryError() {
  const QString setting = UnreadablePortDirectorySetting();
  return setting.isEmpty() ? QString() : setting + QStringLiteral(" is not a readable folder");
}

SerialPortList ListSerialPorts() {
  const QString directory = qEnvironmentVariable(kPortDirVariable);
  if (directory.isEmpty()) return {ListSystemSerialPorts(), QString()};
  QString error = PortDirectoryError();
  if (!error.isEmpty()) return {{}, std::move(error)};
  return {ListPortDirectory(directory), QString()};
}

std::vector<std::pair<QString, SerialPortDetails>> SystemPortDetails() {
  std::vector<std::pair<QString, SerialPortDetails>> details;
  for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
    SerialPortDetails port{info.description(), info.manufacturer(), QString(), info.serialNumber()};
    if (info.hasVendorIdentifier() && info.hasProductIdentifier()) {
      port.usbId = QStringLiteral("%1:%2")
                       .arg(info.vendorIdentifier(), 4, 16, QLatin1Char('0'))
                       .arg(info.productIdentifier(), 4, 16, QLatin1Char('0'));
    }
    details.emplace_back(info.systemLocation(), std::move(port));
  }
  return details;
}

}  // namespace zr::platform
