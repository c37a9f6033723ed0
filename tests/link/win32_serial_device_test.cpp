#include "link/win32_serial_device.h"

#include <gtest/gtest.h>

namespace zr {
namespace {

// Reading and writing a radio is the Windows tests' end-to-end run under Wine.
TEST(Win32SerialDevice, AMissingPortDoesNotOpenAndSaysWhyAndNothingReachesIt) {
  Win32SerialDevice device;
  EXPECT_EQ(device.Open(QStringLiteral("\\\\.\\COM250")), 0);
  EXPECT_EQ(device.ErrorText(), QStringLiteral("no serial port \\\\.\\COM250 on this PC"));
  EXPECT_EQ(device.OpenError(), PortOpenError::Other);
  EXPECT_EQ(device.Location(), QString());
  LineState state;
  EXPECT_FALSE(device.GetState(state));
  EXPECT_FALSE(device.SetState(state));
  EXPECT_FALSE(device.SetTimeouts({}));
  EXPECT_EQ(device.Write(Bytes{1, 2}), 0);
  EXPECT_TRUE(device.Read(2).empty());
  device.Close();
}

}  // namespace
}  // namespace zr
