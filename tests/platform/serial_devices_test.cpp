#include "platform/serial_devices.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>
#include <string>

#include "platform/os_version.h"
#include "tests/support/scoped_environment.h"

namespace zr::platform {
namespace {

TEST(PortDeviceName, NamespaceFormFromTen) {
  EXPECT_EQ(PortDeviceName(1), QStringLiteral("COM1"));
  EXPECT_EQ(PortDeviceName(9), QStringLiteral("COM9"));
  EXPECT_EQ(PortDeviceName(10), QStringLiteral("\\\\.\\COM10"));
  EXPECT_EQ(PortDeviceName(10).size(), 9);
  EXPECT_EQ(PortDeviceName(256), QStringLiteral("\\\\.\\COM256"));
}

TEST(PortNumberOfDeviceName, BothFormsAnyCaseOnlyPlainNumbers) {
  EXPECT_EQ(PortNumberOfDeviceName(u"COM9"), 9);
  EXPECT_EQ(PortNumberOfDeviceName(u"com9"), 9);
  EXPECT_EQ(PortNumberOfDeviceName(u"\\\\.\\COM10"), 10);
  EXPECT_EQ(PortNumberOfDeviceName(u"\\\\.\\cOm3"), 3);
  EXPECT_EQ(PortNumberOfDeviceName(PortDeviceName(123)), 123);
  for (const char16_t* bad : {u"COM", u"COM09", u"COM-1", u"COM+1", u" COM1", u"COM1 ", u"LPT1", u"\\\\.\\",
                              u"\\\\?\\COM1", u"COM99999999999", u"COM\u0661"}) {
    EXPECT_EQ(PortNumberOfDeviceName(bad), std::nullopt) << QString::fromUtf16(bad).toStdString();
  }
}

TEST(ComNumberOfSystemDevice, FamiliesGetSeparateRanges) {
  EXPECT_EQ(ComNumberOfSystemDevice(u"ttyS0"), 1);
  EXPECT_EQ(ComNumberOfSystemDevice(u"ttyS31"), 32);
  EXPECT_EQ(ComNumberOfSystemDevice(u"ttyUSB0"), 33);
  EXPECT_EQ(ComNumberOfSystemDevice(u"ttyUSB31"), 64);
  EXPECT_EQ(ComNumberOfSystemDevice(u"ttyACM0"), 65);
  EXPECT_EQ(ComNumberOfSystemDevice(u"ttyACM200"), 265);
  // ttyS32 and ttyUSB32 would take the names of ttyUSB0 and ttyACM0.
  for (const char16_t* none : {u"ttyS32", u"ttyUSB32", u"ttyS", u"ttyS01", u"ttyAMA0", u"ttys0", u"ttyUSB0x",
                               u"ttyACM99999999999", u"COM1"}) {
    EXPECT_EQ(ComNumberOfSystemDevice(none), std::nullopt) << QString::fromUtf16(none).toStdString();
  }
}

class PortDirectoryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    const QString file = dir_.filePath(QStringLiteral("device-file"));
    QFile(file).open(QIODevice::WriteOnly);
    target_ = QDir(dir_.path()).canonicalPath() + QStringLiteral("/device-file");
    Link(QStringLiteral("/dev/null"), QStringLiteral("COM10"));
    Link(QStringLiteral("/dev/null"), QStringLiteral("COM9"));
    Link(file, QStringLiteral("com2"));
    Link(dir_.filePath(QStringLiteral("com2")), QStringLiteral("COM4"));  // a link to a link
    Link(dir_.filePath(QStringLiteral("gone")), QStringLiteral("COM3"));  // dangling
    Link(QStringLiteral("/dev/null"), QStringLiteral("COM05"));
    Link(QStringLiteral("/dev/null"), QStringLiteral("LPT1"));
    Link(QStringLiteral("/dev/null"), QStringLiteral("COM1x"));
    ASSERT_TRUE(QDir(dir_.path()).mkdir(QStringLiteral("COM7")));
  }

  void Link(const QString& target, const QString& name) {
    ASSERT_TRUE(QFile::link(target, dir_.filePath(name))) << name.toStdString();
  }

  static constexpr const char* kVariable = "ZR93KW_PORT_DIR";
  QTemporaryDir dir_;
  QString target_;
  test::ScopedEnvironment environment_{kVariable};
};

TEST_F(PortDirectoryTest, ListsComEntriesInPortNumberOrder) {
  const std::vector<SerialPortEntry> ports = ListPortDirectory(dir_.path());
  ASSERT_EQ(ports.size(), 4u);
  EXPECT_EQ(ports[0].name, QStringLiteral("COM2"));
  EXPECT_EQ(ports[0].device, target_);
  EXPECT_EQ(ports[1].name, QStringLiteral("COM4"));
  EXPECT_EQ(ports[1].device, target_);
  EXPECT_EQ(ports[2].name, QStringLiteral("COM9"));
  EXPECT_EQ(ports[2].device, QStringLiteral("/dev/null"));
  EXPECT_EQ(ports[3].name, QStringLiteral("COM10"));
  EXPECT_TRUE(ListPortDirectory(dir_.filePath(QStringLiteral("nosuch"))).empty());
}

TEST_F(PortDirectoryTest, EnvironmentChoosesTheDirectoryForListingAndResolving) {
  setenv(kVariable, dir_.path().toLocal8Bit().constData(), 1);
  ASSERT_EQ(ListSerialPorts().size(), 4u);
  EXPECT_EQ(ResolvePortDevice(QStringLiteral("COM9")), QStringLiteral("/dev/null"));
  EXPECT_EQ(ResolvePortDevice(QStringLiteral("\\\\.\\COM10")), QStringLiteral("/dev/null"));
  EXPECT_EQ(ResolvePortDevice(PortDeviceName(2)), target_);
  EXPECT_EQ(ResolvePortDevice(QStringLiteral("com4")), target_);
  for (const char* missing : {"COM3", "COM5", "COM7", "COM05", "COM1x", "LPT1", ""}) {
    EXPECT_TRUE(ResolvePortDevice(QString::fromLatin1(missing)).isEmpty()) << missing;
  }
}

TEST(FixedPortListOsFor, OnlyNtSixZero) {
  EXPECT_EQ(FixedPortListOsFor({2, 6, 0}), 1);
  EXPECT_EQ(FixedPortListOsFor({2, 6, 1}), 0);
  EXPECT_EQ(FixedPortListOsFor({2, 5, 0}), 0);
  EXPECT_EQ(FixedPortListOsFor({2, 10, 0}), 0);
  EXPECT_EQ(FixedPortListOsFor({1, 6, 0}), 0);
  const std::optional<OsVersion> here = QueryOsVersion();
  ASSERT_TRUE(here.has_value());
  EXPECT_EQ(FixedPortListOsFor(*here), 0);
}

}  // namespace
}  // namespace zr::platform
