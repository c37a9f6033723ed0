// The serial device over a real pseudo-terminal; the link's transfers over
// one are the command line's tests.
#include "link/qt_serial_device.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
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

// Only a device this user may not open asks for the dialout group; a busy or
// missing one is another matter (above).
TEST(SerialLine, ADeviceThisUserMayNotOpenIsAPermissionFailure) {
  const test::ScopedEnvironment environment{"ZR93KW_PORT_DIR"};
  test::RadioSimulator radio;
  ASSERT_TRUE(radio.Start());
  // A port folder anyone may read, whose COM1 is the radio's terminal.
  QTemporaryDir ports;
  ASSERT_TRUE(QFile::setPermissions(ports.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                      QFileDevice::ExeOwner | QFileDevice::ReadOther |
                                                      QFileDevice::ExeOther));
  const QString device = QFileInfo(QDir(radio.PortDir()).filePath(QStringLiteral("COM1"))).canonicalFilePath();
  ASSERT_TRUE(QFile::link(device, QDir(ports.path()).filePath(QStringLiteral("COM1"))));
  setenv("ZR93KW_PORT_DIR", ports.path().toLocal8Bit().constData(), 1);
  QtSerialDevice opened;
  ASSERT_NE(opened.Open(QStringLiteral("COM1")), 0);
  EXPECT_EQ(opened.OpenError(), PortOpenError::None);
  opened.Close();

  // Root may open anything: the check runs as nobody, who is not in the terminal's group.
  const bool root = geteuid() == 0;
  if (!root) {
    ASSERT_EQ(chmod(device.toLocal8Bit().constData(), 0), 0);
  }
  const pid_t child = fork();
  if (child == 0) {
    if (root && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(2);
    QtSerialDevice denied;
    _exit(denied.Open(QStringLiteral("COM1")) == 0 && denied.OpenError() == PortOpenError::PermissionDenied ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
}

}  // namespace
}  // namespace zr
