// The port list's naming and number rules; the window tests cover start-up
// and refresh selection on the window itself.
#include "link/port_list.h"

#include <gtest/gtest.h>

namespace zr {
namespace {

std::vector<platform::SerialPortEntry> System(std::initializer_list<const char*> names) {
  std::vector<platform::SerialPortEntry> ports;
  for (const char* name : names) ports.push_back({QString::fromLatin1(name), QStringLiteral("/dev/x")});
  return ports;
}

// In the system's order, characters four to six; a port without a number is never the first port.
TEST(PortList, EntriesKeepTheSystemsOrderAndNumberOnlyWhatNamesAPort) {
  const auto entries = ComPortEntries(System({"COM3", "COM1", "COM1234", "COM3", "USB-A"}));
  EXPECT_EQ(EntryNames(entries), (QStringList{"COM3", "COM1", "COM123", "COM3", "COM-A"}));
  EXPECT_EQ(entries[2].number, 123);
  EXPECT_EQ(entries[4].number, 0);
  EXPECT_EQ(entries[0].device, QStringLiteral("/dev/x"));
  EXPECT_EQ(FirstPortNumber(ComPortEntries(System({"COM0", "USB-A", "COM4"}))), 4);
  EXPECT_EQ(FirstPortNumber({}), 0);
  // The refresh falls back on the first entry even when it has no number.
  const PortSelection unnamed = RefreshSelection({"COM-A", "COM4"}, 4, 9);
  EXPECT_EQ(unnamed.index, 0);
  EXPECT_EQ(unnamed.currentComPort, 0);
}

TEST(PortList, EntriesCompareWholeAndStoredNumbersMustBeDecimal16Bit) {
  EXPECT_FALSE(InComPorts({"COM15", "COM50"}, 5));
  EXPECT_TRUE(InComPorts({"COM15", "COM5"}, 5));
  EXPECT_EQ(StoredPortNumber(QStringLiteral(" 12 ")), 12);
  for (const char* bad : {"", "COM3", "70000", "+3"}) EXPECT_EQ(StoredPortNumber(QString::fromLatin1(bad)), 0) << bad;
}

}  // namespace
}  // namespace zr
