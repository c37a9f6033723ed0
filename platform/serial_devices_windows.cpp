// The port list on Windows: the registry's list of serial devices, as the
// system keeps it for every serial driver.
#include <windows.h>

#include <array>

#include "platform/serial_devices.h"

namespace zr::platform {

namespace {

// 255 characters and the terminator: a longer name or data ends the list.
constexpr DWORD kBufferChars = 256;

// REG_SZ data need not end in a terminator, and may hold one before its end.
QString RegistryText(const std::array<wchar_t, kBufferChars>& buffer, DWORD bytes) {
  const auto units = static_cast<qsizetype>(bytes / sizeof(wchar_t));
  const QString text = QString::fromWCharArray(buffer.data(), units);
  const auto end = text.indexOf(QChar(u'\0'));
  return end < 0 ? text : text.left(end);
}

}  // namespace

std::vector<SerialPortEntry> ListSystemSerialPorts() {
  std::vector<SerialPortEntry> ports;
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_QUERY_VALUE, &key) !=
      ERROR_SUCCESS) {
    return ports;
  }
  for (DWORD index = 0;; ++index) {
    std::array<wchar_t, kBufferChars> name{};
    std::array<wchar_t, kBufferChars> data{};
    DWORD nameChars = kBufferChars;
    DWORD dataBytes = kBufferChars * sizeof(wchar_t);
    if (RegEnumValueW(key, index, name.data(), &nameChars, nullptr, nullptr, reinterpret_cast<BYTE*>(data.data()),
                      &dataBytes) != ERROR_SUCCESS) {
      break;
    }
    ports.push_back({RegistryText(data, dataBytes), QString::fromWCharArray(name.data(), nameChars)});
  }
  RegCloseKey(key);
  return ports;
}

QString UnreadablePortDirectorySetting() { return QString(); }

QString PortDirectoryError() { return QString(); }

SerialPortList ListSerialPorts() { return {ListSystemSerialPorts(), QString()}; }

std::vector<std::pair<QString, SerialPortDetails>> SystemPortDetails() { return {}; }

}  // namespace zr::platform
