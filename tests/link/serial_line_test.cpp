// The serial device over a real pseudo-terminal; the link's transfers over
// one are the command line's tests.
#include "link/qt_serial_device.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QTemporaryDir>

#include "tests/support/radio_simulator.h"
#include "tests/support/scoped_environment.h"

namespace zr {
namespace {

TEST(SerialLine, AnOpenPortIsExclusive) {
  const test::ScopedEnvironment environment{"ZR93KW_PORT_DIR"};
  test::RadioSimulator radio;
  ASSERT_TRUE(radio.Start());
  setenv("ZR93KW_PORT_DIR", radio.PortDir().toLocal8Bit().constData(), 1);
  QtSerialDevice first;
  QtSerialDevice second;
  ASSERT_NE(first.Open(QStringLiteral("COM1")), 0);
  EXPECT_EQ(second.Open(QStringLiteral("COM1")), 0);
  EXPECT_EQ(second.OpenError(), PortOpenError::Other);  // busy is no missing right
  first.Close();
  EXPECT_NE(second.Open(QStringLiteral("COM1")), 0);
  EXPECT_EQ(first.Open(QStringLiteral("COM2")), 0);  // no such port
  EXPECT_EQ(first.OpenError(), PortOpenError::Other);
}

// A device the user may not open says so, for the front ends to name the
// dialout group (root is tried as an ordinary user, in a child).
TEST(SerialLine, APortTheUserMayNotOpenIsAPermissionFailure) {
  const test::ScopedEnvironment environment{"ZR93KW_PORT_DIR"};
  QTemporaryDir ports(QStringLiteral("/tmp/zr-ports-XXXXXX"));
  const QByteArray folder = QFile::encodeName(ports.path());
  ASSERT_TRUE(QFile(ports.filePath(QStringLiteral("ttyX"))).open(QIODevice::WriteOnly));
  ASSERT_TRUE(::chmod(folder, 0755) == 0 && ::chmod(folder + "/ttyX", 0) == 0 && ::symlink("ttyX", folder + "/COM1") == 0);
  setenv("ZR93KW_PORT_DIR", folder.constData(), 1);
  EXPECT_EXIT(
      {
        QtSerialDevice port;
        const bool refused = (::geteuid() != 0 || ::setuid(65534) == 0) && port.Open(QStringLiteral("COM1")) == 0;
        std::_Exit(refused && port.OpenError() == PortOpenError::PermissionDenied ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace zr
