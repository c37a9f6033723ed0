#include "platform/serial_devices.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <array>
#include <limits>
#include <utility>

namespace zr::platform {

namespace {

constexpr QStringView kNamespacePrefix = u"\\\\.\\";

// A plain decimal number: digits only, no sign, no leading zero, fits an int.
std::optional<int> PlainDecimal(QStringView digits) {
  if (digits.isEmpty() || (digits.size() > 1 && digits.front() == u'0')) return std::nullopt;
  if (!std::all_of(digits.begin(), digits.end(), [](QChar c) { return c >= u'0' && c <= u'9'; })) {
    return std::nullopt;
  }
  bool ok = false;
  const int number = digits.toInt(&ok);
  return ok ? std::optional<int>(number) : std::nullopt;
}

std::optional<int> ComNumber(QStringView name) {
  if (!name.startsWith(u"COM", Qt::CaseInsensitive)) return std::nullopt;
  return PlainDecimal(name.mid(3));
}

QString ComName(int number) { return QStringLiteral("COM%1").arg(number); }

}  // namespace

QString PortDeviceName(int portNumber) {
  const QString name = ComName(portNumber);
  return portNumber < 10 ? name : kNamespacePrefix.toString() + name;
}

std::optional<int> PortNumberOfDeviceName(QStringView deviceName) {
  if (deviceName.startsWith(kNamespacePrefix)) deviceName = deviceName.mid(kNamespacePrefix.size());
  return ComNumber(deviceName);
}

std::optional<int> ComNumberOfSystemDevice(QStringView deviceName) {
  struct Family {
    QStringView prefix;
    int firstPort;
    int count;  // 0: no limit
  };
  static constexpr std::array<Family, 3> kFamilies{{
      {u"ttyUSB", 33, 32},
      {u"ttyACM", 65, 0},
      {u"ttyS", 1, 32},
  }};
  for (const Family& family : kFamilies) {
    if (!deviceName.startsWith(family.prefix)) continue;
    const std::optional<int> k = PlainDecimal(deviceName.mid(family.prefix.size()));
    if (!k || (family.count > 0 && *k >= family.count)) return std::nullopt;
    if (*k > std::numeric_limits<int>::max() - family.firstPort) return std::nullopt;
    return *k + family.firstPort;
  }
  return std::nullopt;
}

std::vector<SerialPortEntry> SortedByPortNumber(std::vector<SerialPortEntry> entries) {
  std::stable_sort(entries.begin(), entries.end(), [](const SerialPortEntry& a, const SerialPortEntry& b) {
    return PortNumberOfDeviceName(a.name) < PortNumberOfDeviceName(b.name);
  });
  return entries;
}

std::vector<SerialPortEntry> ListPortDirectory(const QString& directory) {
  std::vector<SerialPortEntry> ports;
  const QDir dir(directory);
  // Sorted by name so that entries of the same number ("COM3", "com3") come
  // out in a fixed order.
  const QStringList names =
      dir.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
  for (const QString& name : names) {
    const std::optional<int> number = ComNumber(name);
    if (!number) continue;
    const QFileInfo target(QFileInfo(dir.filePath(name)).canonicalFilePath());
    if (target.filePath().isEmpty() || target.isDir()) continue;
    ports.push_back({ComName(*number), target.filePath()});
  }
  return SortedByPortNumber(std::move(ports));
}

std::optional<int> ComNumberOfDevicePath(const QString& path) {
  const QString wanted = QFileInfo(path).canonicalFilePath();
  if (wanted.isEmpty()) return std::nullopt;
  for (const SerialPortEntry& entry : ListSerialPorts().entries) {
    if (QFileInfo(entry.device).canonicalFilePath() == wanted) return ComNumber(entry.name);
  }
  return std::nullopt;
}

SerialPortDetails DetailsOf(const std::vector<std::pair<QString, SerialPortDetails>>& details, const QString& device) {
  const QString wanted = QFileInfo(device).canonicalFilePath();
  for (const auto& [location, port] : details) {
    if (location == device || (!wanted.isEmpty() && QFileInfo(location).canonicalFilePath() == wanted)) return port;
  }
  return {};
}

QString ResolvePortDevice(const QString& deviceName) {
  const std::optional<int> number = PortNumberOfDeviceName(deviceName);
  if (!number) return QString();
  const QString name = ComName(*number);
  for (const SerialPortEntry& entry : ListSerialPorts().entries) {
    if (entry.name == name) return entry.device;
  }
  return QString();
}

}  // namespace zr::platform
