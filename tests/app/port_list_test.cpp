// The port list's naming and number rules; the window tests cover start-up
// and refresh selection on the window itself.
#include "app/window/port_list.h"

#include <gtest/gtest.h>

#include <QComboBox>

#include "tests/support/scoped_environment.h"
#include "window_fixture.h"

namespace zr::window {
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

using PortFolder = test::WindowTest;

// The refresh runs every second: a mistyped port folder is told once, and
// again only when the problem changed.
TEST_F(PortFolder, MistypedOneIsToldOncePerChangeAndListsNoPorts) {
  const zr::test::ScopedEnvironment environment{"ZR93KW_PORT_DIR"};
  const QString nope = dir.filePath(QStringLiteral("nope"));
  const QString other = dir.filePath(QStringLiteral("other"));
  qputenv("ZR93KW_PORT_DIR", nope.toLocal8Bit());
  FrmMainOptions options = Options();
  options.listPorts = EnumComPortEntries;
  ::testing::internal::CaptureStderr();
  Open(std::move(options));
  // A folder without ports has nothing to tell.
  for (const QString& folder : {nope, nope, nope, other, other, other, dir.path(), nope, nope}) {
    qputenv("ZR93KW_PORT_DIR", folder.toLocal8Bit());
    window->ReShowComPortTimer_Timer();
  }
  const QString told = QString::fromStdString(::testing::internal::GetCapturedStderr());
  EXPECT_EQ(told.count(nope), 2) << told.toStdString();
  EXPECT_EQ(told.count(other), 1) << told.toStdString();
  EXPECT_EQ(window->Combo2->count(), 0);
  EXPECT_EQ(window->State().CurrentComPort, 0);
}

}  // namespace
}  // namespace zr::window
