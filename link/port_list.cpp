#include "link/port_list.h"

#include "record/field_conversions.h"

namespace zr {

namespace {

const QString ComPrefix = QStringLiteral("COM");

QString EntryName(qint16 portNumber) { return ComPrefix + QString::number(portNumber); }

// Plain decimal digits only: "+3" or " 3" name no port.
qint16 DecimalNumber(const QString& text) {
  if (text.isEmpty()) return 0;
  for (const QChar c : text) {
    if (c < QLatin1Char('0') || c > QLatin1Char('9')) return 0;
  }
  bool ok = false;
  const short number = text.toShort(&ok);
  return ok ? number : 0;
}

}  // namespace

std::vector<PortListEntry> ComPortEntries(const std::vector<platform::SerialPortEntry>& ports) {
  std::vector<PortListEntry> entries;
  entries.reserve(ports.size());
  for (const platform::SerialPortEntry& port : ports) {
    // The first three characters are taken to be "COM" without looking.
    const QString digits = port.name.mid(3, 3).trimmed();
    entries.push_back({ComPrefix + digits, port.device, DecimalNumber(digits)});
  }
  return entries;
}

std::vector<PortListEntry> EnumComPortEntries() { return ComPortEntries(platform::ListSerialPorts().entries); }

QStringList EntryNames(const std::vector<PortListEntry>& entries) {
  QStringList names;
  for (const PortListEntry& entry : entries) names << entry.name;
  return names;
}

std::array<PortFact, 4> PortFacts(const platform::SerialPortDetails& details) {
  return {{{QLatin1StringView("description"), QString(), details.description},
           {QLatin1StringView("manufacturer"), QString(), details.manufacturer},
           {QLatin1StringView("usbId"), QStringLiteral("USB ID "), details.usbId},
           {QLatin1StringView("serialNumber"), QStringLiteral("Serial number "), details.serialNumber}}};
}

QString PortToolTip(const PortListEntry& entry, const platform::SerialPortDetails& details) {
  QStringList lines{entry.device};
  for (const PortFact& fact : PortFacts(details)) {
    if (!fact.value.isEmpty()) lines << fact.label + fact.value;
  }
  return lines.join(QLatin1Char('\n'));
}

qint16 FirstPortNumber(const std::vector<PortListEntry>& entries) {
  for (const PortListEntry& entry : entries) {
    if (entry.number != 0) return entry.number;
  }
  return 0;
}

QStringList FixedPortList() {
  QStringList entries;
  for (qint16 n = 1; n <= 256; ++n) entries << EntryName(n);
  return entries;
}

bool InComPorts(const QStringList& entries, qint16 portNumber) { return entries.contains(EntryName(portNumber)); }

qint16 PortNumberOfEntry(const QString& entry) { return DecimalNumber(entry.mid(3)); }

qint16 StoredPortNumber(const QString& value) { return DecimalNumber(value.trimmed()); }

PortSelection StartupSelection(const QStringList& entries, qint16 firstPort, qint16 storedPort) {
  qint16 port = storedPort;
  if (firstPort < 1) {
    port = 0;
  } else if (!InComPorts(entries, port) || port < 1) {
    port = firstPort;
  }
  return {port == 0 ? -1 : static_cast<int>(entries.indexOf(EntryName(port))), port};
}

PortSelection FixedListSelection(const QStringList& entries, qint16 storedPort) {
  if (storedPort < 1) return {-1, storedPort};
  return {static_cast<int>(entries.indexOf(EntryName(storedPort))), storedPort};
}

PortSelection RefreshSelection(const QStringList& entries, qint16 firstPort, qint16 wantedPort) {
  if (firstPort < 1) return {-1, firstPort};
  const QString chosen = FindInList(entries, EntryName(wantedPort));
  return {static_cast<int>(entries.indexOf(chosen)), PortNumberOfEntry(chosen)};
}

}  // namespace zr
