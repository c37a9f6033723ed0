#pragma once

#include <QString>
#include <QStringView>
#include <optional>
#include <utility>
#include <vector>

namespace zr::platform {

// The device name the station opens for port n: "COM" n below 10, and from 10
// on the device namespace form "\\.\COM" n (seven characters before n).
QString PortDeviceName(int portNumber);

// The port number a device name stands for: "COM9" or "\\.\COM10" (any case of
// "com", the number in plain decimal without leading zeros); nullopt otherwise.
std::optional<int> PortNumberOfDeviceName(QStringView deviceName);

struct SerialPortEntry {
  QString name;    // as the system lists it: "COM3"
  QString device;  // the device behind it: "/dev/ttyS2"; on Windows "\Device\Serial2"
};

// The entries in ascending port number ("COM<n>" of any case; others first),
// entries of the same number in the order given.
std::vector<SerialPortEntry> SortedByPortNumber(std::vector<SerialPortEntry> entries);

// The COM number of a system serial device: ttyS<k> is COM<k+1>, ttyUSB<k>
// COM<k+33>, ttyACM<k> COM<k+65>. ttyS and ttyUSB take k from 0 to 31 so that
// no two devices get the same number; anything else has none.
std::optional<int> ComNumberOfSystemDevice(QStringView deviceName);

// The ports named by a directory of COM<n> entries (any case of "com"; links
// to devices, as compatibility layers set them up), in ascending port number.
// The device is the entry's canonical target; dangling links and directories
// are left out.
std::vector<SerialPortEntry> ListPortDirectory(const QString& directory);

// The system's serial ports. Linux: the serial devices that have a COM
// number, in ascending port number (serial_devices_linux.cpp). Windows: every
// value of the registry key HARDWARE\DEVICEMAP\SERIALCOMM in the registry's
// order, the value's data as the name and its name as the device, up to the
// first value longer than 255 characters (serial_devices_windows.cpp).
std::vector<SerialPortEntry> ListSystemSerialPorts();

// The serial ports of this PC, or why there are none to offer.
struct SerialPortList {
  std::vector<SerialPortEntry> entries;
  // Empty when the ports could be listed. Otherwise the entries are empty and
  // this says why, naming the variable and the path:
  // "ZR93KW_PORT_DIR=/tmp/nope is not a readable folder".
  QString error;
};

// The setting "ZR93KW_PORT_DIR=/tmp/nope" when the variable is set (not
// empty) but names no readable folder; empty otherwise. Cheap: it looks at
// the folder, not at the ports.
QString UnreadablePortDirectorySetting();

// Why the ports named by ZR93KW_PORT_DIR cannot be listed:
// "ZR93KW_PORT_DIR=/tmp/nope is not a readable folder"; empty when they can.
QString PortDirectoryError();

// The serial ports of this PC: those of the folder named by ZR93KW_PORT_DIR
// when that variable is set, else the system's. A variable that names no
// readable folder gives no ports and an error, never the system's ports: a
// mistyped folder must not open another device. Windows has no such stand-in
// for its registry: the variable is not read there.
SerialPortList ListSerialPorts();

// The COM number of a device path ("/dev/ttyUSB0", "/dev/serial/by-id/...") by
// the same rules as the port list: the port whose device is the same file
// once links are followed; nullopt when none is.
std::optional<int> ComNumberOfDevicePath(const QString& path);

// What the system knows of a serial device beyond its name: for a USB cable
// its product's description, maker, vendor and product ids and serial number.
struct SerialPortDetails {
  QString description;
  QString manufacturer;
  QString usbId;  // "0403:6001"; empty when not a USB device
  QString serialNumber;
};

// The details of the system's serial devices, by device path; a device the
// system does not list (a pseudo-terminal) has none. None on Windows: the
// registry's list is all the station asks there.
std::vector<std::pair<QString, SerialPortDetails>> SystemPortDetails();
// Looks a device up in `details`, following links; empty details when absent.
SerialPortDetails DetailsOf(const std::vector<std::pair<QString, SerialPortDetails>>& details, const QString& device);

// The device that a device name (see PortNumberOfDeviceName) resolves to among
// ListSerialPorts(); empty when there is no such port, and so whenever the
// ports cannot be listed.
QString ResolvePortDevice(const QString& deviceName);

}  // namespace zr::platform
