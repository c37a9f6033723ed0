// The port list as the window builds, searches and refreshes it.
#include "app/window/port_list.h"

#include <gtest/gtest.h>

namespace zr::window {
namespace {

std::vector<platform::SerialPortEntry> System(std::initializer_list<const char*> names) {
  std::vector<platform::SerialPortEntry> ports;
  for (const char* name : names) ports.push_back({QString::fromLatin1(name), QStringLiteral("/dev/x")});
  return ports;
}

TEST(PortList, KeepsTheSystemsOrderAndTakesCharactersFourToSix) {
  const auto entries = ComPortEntries(System({"COM3", "COM1", "COM1234", "COM3"}));
  EXPECT_EQ(EntryNames(entries), (QStringList{"COM3", "COM1", "COM123", "COM3"}));
  EXPECT_EQ(entries[2].number, 123);
  EXPECT_EQ(entries[0].device, QStringLiteral("/dev/x"));
  EXPECT_EQ(FirstPortNumber(entries), 3);
}

TEST(PortList, FirstPortSkipsPortZeroAndNamesWithoutANumber) {
  const auto entries = ComPortEntries(System({"COM0", "USB-A", "COM4"}));
  EXPECT_EQ(EntryNames(entries), (QStringList{"COM0", "COM-A", "COM4"}));
  EXPECT_EQ(entries[1].number, 0);
  EXPECT_EQ(FirstPortNumber(entries), 4);
  EXPECT_EQ(FirstPortNumber({}), 0);
}

TEST(PortList, InComPortsComparesWholeEntries) {
  EXPECT_FALSE(InComPorts({"COM15", "COM50"}, 5));
  EXPECT_TRUE(InComPorts({"COM15", "COM5"}, 5));
  EXPECT_EQ(FixedPortList().size(), 256);
  EXPECT_EQ(FixedPortList().back(), QStringLiteral("COM256"));
}

TEST(PortList, StoredPortNumberIsZeroForAnythingButADecimal16BitNumber) {
  EXPECT_EQ(StoredPortNumber(QStringLiteral(" 12 ")), 12);
  EXPECT_EQ(StoredPortNumber(QString()), 0);
  EXPECT_EQ(StoredPortNumber(QStringLiteral("COM3")), 0);
  EXPECT_EQ(StoredPortNumber(QStringLiteral("70000")), 0);
  EXPECT_EQ(StoredPortNumber(QStringLiteral("+3")), 0);
}

TEST(PortList, StartupTakesTheStoredPortOnlyWhenListed) {
  const QStringList entries{"COM3", "COM5"};
  EXPECT_EQ(StartupSelection(entries, 3, 5).index, 1);
  const PortSelection gone = StartupSelection(entries, 3, 7);
  EXPECT_EQ(gone.index, 0);
  EXPECT_EQ(gone.currentComPort, 3);
  const PortSelection none = StartupSelection({}, 0, 7);
  EXPECT_EQ(none.index, -1);
  EXPECT_EQ(none.currentComPort, 0);
  // Out of range on the fixed list: nothing selected, the number kept as read.
  const PortSelection outside = FixedListSelection(FixedPortList(), 300);
  EXPECT_EQ(outside.index, -1);
  EXPECT_EQ(outside.currentComPort, 300);
  EXPECT_EQ(FixedListSelection(FixedPortList(), 12).index, 11);
}

TEST(PortList, RefreshKeepsTheWantedPortElseTakesTheFirstEntry) {
  PortSelection kept = RefreshSelection({"COM3", "COM4"}, 3, 4);
  EXPECT_EQ(kept.index, 1);
  EXPECT_EQ(kept.currentComPort, 4);
  PortSelection moved = RefreshSelection({"COM3"}, 3, 4);
  EXPECT_EQ(moved.index, 0);
  EXPECT_EQ(moved.currentComPort, 3);
  PortSelection none = RefreshSelection({}, 0, 4);
  EXPECT_EQ(none.index, -1);
  EXPECT_EQ(none.currentComPort, 0);
  // A first entry without a number gives no port number.
  PortSelection unnamed = RefreshSelection({"COM-A", "COM4"}, 4, 9);
  EXPECT_EQ(unnamed.index, 0);
  EXPECT_EQ(unnamed.currentComPort, 0);
}

}  // namespace
}  // namespace zr::window
