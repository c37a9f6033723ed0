#include "platform/serial_devices.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/os_version.h"
#include "tests/support/scoped_environment.h"

namespace zr::platform {
namespace {

// The station opens a port by its device name and the port list resolves that
// name again: from COM10 on in the device namespace form.
TEST(PortDeviceName, EveryPortNumberComesBackFromItsDeviceName) {
  EXPECT_EQ(PortDeviceName(9), QStringLiteral("COM9"));
  EXPECT_EQ(PortDeviceName(10), QStringLiteral("\\\\.\\COM10"));
  for (int port : {1, 9, 10, 99, 256}) EXPECT_EQ(PortNumberOfDeviceName(PortDeviceName(port)), port);
}

TEST(ComNumberOfSystemDevice, FamiliesGetSeparateRanges) {
  for (const auto& [device, number] : std::vector<std::pair<const char16_t*, int>>{
           {u"ttyS0", 1}, {u"ttyS31", 32}, {u"ttyUSB0", 33}, {u"ttyUSB31", 64}, {u"ttyACM0", 65},
           {u"ttyACM200", 265}}) {
    EXPECT_EQ(ComNumberOfSystemDevice(device), number) << QString::fromUtf16(device).toStdString();
  }
  // ttyS32 and ttyUSB32 would take the names of ttyUSB0 and ttyACM0.
  for (const char16_t* none : {u"ttyS32", u"ttyUSB32", u"ttyS", u"ttyS01", u"ttyAMA0", u"ttys0", u"ttyUSB0x",
                               u"ttyACM99999999999", u"COM1"}) {
    EXPECT_EQ(ComNumberOfSystemDevice(none), std::nullopt) << QString::fromUtf16(none).toStdString();
  }
}

TEST(PortDirectory, ListsComEntriesInPortNumberOrderAndResolvesThroughTheEnvironmentOrSaysWhyNot) {
  test::ScopedEnvironment environment{"ZR93KW_PORT_DIR"};
  QTemporaryDir dir;
  const QString file = dir.filePath(QStringLiteral("device-file"));
  QFile(file).open(QIODevice::WriteOnly);
  const QString target = QDir(dir.path()).canonicalPath() + QStringLiteral("/device-file");
  for (const auto& [to, name] : std::vector<std::pair<QString, const char*>>{
           {"/dev/null", "COM10"}, {"/dev/null", "COM9"}, {file, "com2"},
           {dir.filePath("com2"), "COM4"},  // a link to a link
           {dir.filePath("gone"), "COM3"},  // dangling
           {"/dev/null", "COM05"}, {"/dev/null", "LPT1"}, {"/dev/null", "COM1x"}}) {
    ASSERT_TRUE(QFile::link(to, dir.filePath(QString::fromLatin1(name)))) << name;
  }
  ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("COM7")));

  const std::vector<SerialPortEntry> ports = ListPortDirectory(dir.path());
  ASSERT_EQ(ports.size(), 4u);
  const std::vector<std::pair<QString, QString>> expected{
      {"COM2", target}, {"COM4", target}, {"COM9", "/dev/null"}, {"COM10", "/dev/null"}};
  for (std::size_t i = 0; i < ports.size(); ++i) {
    EXPECT_EQ(std::make_pair(ports[i].name, ports[i].device), expected[i]) << i;
  }
  EXPECT_TRUE(ListPortDirectory(dir.filePath(QStringLiteral("nosuch"))).empty());

  setenv("ZR93KW_PORT_DIR", dir.path().toLocal8Bit().constData(), 1);
  EXPECT_EQ(ListSerialPorts().entries.size(), 4u);
  EXPECT_EQ(ListSerialPorts().error, QString());
  EXPECT_EQ(ResolvePortDevice(QStringLiteral("\\\\.\\COM10")), QStringLiteral("/dev/null"));
  EXPECT_EQ(ResolvePortDevice(QStringLiteral("com4")), target);
  for (const char* missing : {"COM3", "COM5", "COM7", "COM05", "COM1x", "LPT1", ""}) {
    EXPECT_TRUE(ResolvePortDevice(QString::fromLatin1(missing)).isEmpty()) << missing;
  }
  EXPECT_EQ(PortDirectoryError(), QString());

  // A variable that names no readable folder gives no ports and says why:
  // falling back on the system's would open /dev/ttyS0 for a typo.
  for (const QString& value : {dir.filePath(QStringLiteral("nope")), file}) {
    qputenv("ZR93KW_PORT_DIR", value.toLocal8Bit());
    const SerialPortList listed = ListSerialPorts();
    EXPECT_TRUE(listed.entries.empty()) << value.toStdString();
    EXPECT_EQ(listed.error, "ZR93KW_PORT_DIR=" + value + " is not a readable folder");
    EXPECT_EQ(PortDirectoryError(), listed.error);
    EXPECT_TRUE(ResolvePortDevice(QStringLiteral("COM1")).isEmpty()) << value.toStdString();
  }
}

// The fixed port list is for one system that this one never is; the window's
// test shows the list with that system's version.
TEST(FixedPortListOsFor, NeverThisSystem) {
  ASSERT_TRUE(QueryOsVersion().has_value());
  EXPECT_EQ(FixedPortListOsFor(*QueryOsVersion()), 0);
}

}  // namespace
}  // namespace zr::platform
