#pragma once

// The serial device of the system the station is built for: Windows' own
// calls there, QSerialPort on Linux.
#ifdef _WIN32
#include "link/win32_serial_device.h"
namespace zr {
using SystemSerialDevice = Win32SerialDevice;
}
#else
#include "link/qt_serial_device.h"
namespace zr {
using SystemSerialDevice = QtSerialDevice;
}
#endif
