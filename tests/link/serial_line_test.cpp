// The link over a real pseudo-terminal, against the simulated radio.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <cstdlib>

#include "link/qt_serial_device.h"
#include "link/radio_link.h"
#include "platform/settings_file.h"
#include "recording_host.h"
#include "tests/support/radio_simulator.h"
#include "tests/support/scoped_environment.h"

namespace zr {
namespace {

using testing::RecordingHost;
using zr::test::RadioSimulator;

class SerialLine : public ::testing::Test {
 protected:
  void SetUp() override {
    state.UiLanguage = lang::UiLanguage::English;
    state.CurrentComPort = 1;
  }

  ::testing::AssertionResult StartRadio(const QStringList& options = {}) {
    auto started = radio.Start(options);
    setenv("ZR93KW_PORT_DIR", radio.PortDir().toLocal8Bit().constData(), 1);
    return started;
  }

  void Read() {
    ASSERT_TRUE(link.StartRead());
    while (link.Busy()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
  }

  // Frames the radio received, by their first bytes in hex ("50 52 4F" for
  // "PROGRAM"); with `times`, also when each came, in milliseconds.
  QStringList Received(std::vector<double>* times = nullptr) const {
    static const QRegularExpression line(QStringLiteral("^\\s*([0-9.]+) > ([0-9A-Fa-f ]+)"),
                                         QRegularExpression::MultilineOption);
    QStringList frames;
    for (auto match = line.globalMatch(radio.Trace()); match.hasNext();) {
      const QRegularExpressionMatch frame = match.next();
      frames << frame.captured(2).trimmed().toUpper();
      if (times) times->push_back(frame.captured(1).toDouble());
    }
    return frames;
  }

  test::ScopedEnvironment environment_{"ZR93KW_PORT_DIR"};
  RadioSimulator radio;
  StationState state;
  RecordingHost host{state};
  QtSerialDevice device;
  QTemporaryDir dir;
  platform::SettingsFile settings{dir.filePath(QStringLiteral("mysetup.ini")), platform::AnsiCodePage("GBK")};
  platform::AnsiCodePage codePage{"GBK"};
  RadioLink link{state, host, device, settings, codePage, host};
};

TEST_F(SerialLine, ReadTakesMillisecondsAndWaitsForALateHalfOnlyAsLongAsTheIntervalAllows) {
  ASSERT_TRUE(StartRadio({QStringLiteral("--serial"), QStringLiteral("SN-PTY-0001")}));
  QElapsedTimer clock;
  clock.start();
  Read();
  EXPECT_LT(clock.elapsed(), 2000);  // loose: sanitizers and a busy machine; the timeouts alone would be 4.8 s
  EXPECT_EQ(host.Texts(), QStringList{QStringLiteral("Read Complete!")});
  EXPECT_EQ(host.form.serialNumber, QStringLiteral("SN-PTY-0001"));
  EXPECT_EQ(Received().size(), 18);
  EXPECT_EQ(state.FactoryImage[0x09], 1);  // the fresh radio's turbo power

  // The second half of each reply comes after the 300 ms interval: every
  // read comes back short and the station reads on for the rest.
  radio.Stop();
  ASSERT_TRUE(StartRadio({QStringLiteral("--split-ms"), QStringLiteral("350")}));
  host.messages.clear();
  Read();
  EXPECT_EQ(host.Texts(), QStringList{QStringLiteral("Read Complete!")});
  EXPECT_EQ(Received().size(), 18);
}

// The read time-out of the real port decides when a frame goes again.
TEST_F(SerialLine, NoReplyIsResentOnlyAfterTheReadTimeOut) {
  ASSERT_TRUE(StartRadio({QStringLiteral("--no-answer"), QStringLiteral("program")}));
  Read();
  std::vector<double> times;
  EXPECT_EQ(Received(&times), QStringList(3, QStringLiteral("50 52 4F 47 52 41 4D")));
  ASSERT_EQ(times.size(), 3u);
  for (std::size_t i = 1; i < times.size(); ++i) {
    const double gap = times[i] - times[i - 1];
    EXPECT_GT(gap, 1000.0) << "a resend came before the 1200 ms read time-out";
    EXPECT_LT(gap, 3000.0);
  }
  EXPECT_FALSE(link.PortOpen());
}

TEST_F(SerialLine, CableUnpluggedInMidTransferFails) {
  ASSERT_TRUE(StartRadio({QStringLiteral("--unplug-after"), QStringLiteral("5")}));
  Read();
  EXPECT_EQ(host.Texts(), QStringList{QStringLiteral("Communication failed!")});
  EXPECT_FALSE(link.PortOpen());
  // Nothing of a half read reaches the window.
  EXPECT_EQ(host.form.serialNumber, QString());
}

TEST_F(SerialLine, AnOpenPortIsExclusive) {
  ASSERT_TRUE(StartRadio());
  QtSerialDevice first;
  QtSerialDevice second;
  const qint32 handle = first.Open(QStringLiteral("COM1"));
  ASSERT_NE(handle, 0);
  EXPECT_EQ(second.Open(QStringLiteral("COM1")), 0);
  first.Close();
  EXPECT_NE(second.Open(QStringLiteral("COM1")), 0);
  EXPECT_EQ(first.Open(QStringLiteral("COM2")), 0);  // no such port
}

}  // namespace
}  // namespace zr
