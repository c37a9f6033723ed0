// The serial device over a real pseudo-terminal; the link's transfers over
// one are the command line's tests.
#include "link/qt_serial_device.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace zr
