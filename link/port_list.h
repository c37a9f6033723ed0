#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <array>
#include <vector>

#include "platform/serial_devices.h"

namespace zr {

// One entry of the window's port list: "COM" and characters 4 to 6 of the
// system's name for the port, and the device behind it.
struct PortListEntry {
  QString name;       // "COM3"; "COM123" for the system's COM1234
  QString device;     // "/dev/ttyUSB0"
  qint16 number = 0;  // 0 when characters 4 to 6 are not a number

  bool operator==(const PortListEntry&) const = default;
};

// The port list as EnumComPorts builds it from the system's ports, in the
// system's order: no sorting, no removal of duplicates.
std::vector<PortListEntry> ComPortEntries(const std::vector<platform::SerialPortEntry>& ports);
// The same from this PC's ports (platform::ListSerialPorts()); empty when
// they cannot be listed (platform::PortDirectoryError() says why).
std::vector<PortListEntry> EnumComPortEntries();

QStringList EntryNames(const std::vector<PortListEntry>& entries);

// What the system knows of a port, in the order every listing of it shows:
// the JSON key, the words before the value in a tooltip, the value.
struct PortFact {
  QLatin1StringView key;
  QString label;
  QString value;
};
std::array<PortFact, 4> PortFacts(const platform::SerialPortDetails& details);

// An entry's tooltip: its device, then what the system knows of it (USB
// description, manufacturer, USB id, serial number), one per line.
QString PortToolTip(const PortListEntry& entry, const platform::SerialPortDetails& details);

// What EnumComPorts returns: the first entry's number that is not 0, else 0.
qint16 FirstPortNumber(const std::vector<PortListEntry>& entries);

// The list of the fixed-list system: COM1 to COM256.
QStringList FixedPortList();

// Whether some entry equals "COM" followed by portNumber.
bool InComPorts(const QStringList& entries, qint16 portNumber);

// The number an entry names: its text after the first three characters, in
// decimal; 0 when that is not a number in the 16-bit range.
qint16 PortNumberOfEntry(const QString& entry);

// A stored "comPort" value as start-up reads it: 0 when missing or not a
// 16-bit number.
qint16 StoredPortNumber(const QString& value);

// The list's selection (-1: none) and the CurrentComPort that goes with it.
struct PortSelection {
  int index = -1;
  qint16 currentComPort = 0;
};

// Start-up on a system list: the stored port when it is listed, else the
// first listed port, none when there are no ports.
PortSelection StartupSelection(const QStringList& entries, qint16 firstPort, qint16 storedPort);
// Start-up on the fixed list: the stored port when it names an entry; else no
// selection and CurrentComPort stays as read.
PortSelection FixedListSelection(const QStringList& entries, qint16 storedPort);
// The refresh: the wanted port when it is listed, else the first entry; no
// selection and CurrentComPort 0 when there is no port.
PortSelection RefreshSelection(const QStringList& entries, qint16 firstPort, qint16 wantedPort);

}  // namespace zr
