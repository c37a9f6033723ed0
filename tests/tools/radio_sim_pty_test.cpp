#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <array>
#include <chrono>

#include "link/frames.h"
#include "tests/support/radio_simulator.h"

namespace zr {
namespace {

using test::RadioSimulator;

// The station's end of the cable, with plain POSIX calls.
class StationEnd {
 public:
  explicit StationEnd(const QString& path) : fd_(::open(QFile::encodeName(path).constData(), O_RDWR | O_NOCTTY)) {
    if (fd_ < 0) return;
    termios settings{};
    tcgetattr(fd_, &settings);
    cfmakeraw(&settings);
    tcsetattr(fd_, TCSANOW, &settings);
  }
  ~StationEnd() {
    if (fd_ >= 0) ::close(fd_);
  }
  bool Open() const { return fd_ >= 0; }

  // Sends a frame and collects up to `length` bytes of reply, waiting at most `timeoutMs`.
  Bytes Ask(const Bytes& frame, std::size_t length, int timeoutMs = 2000) {
    if (::write(fd_, frame.data(), frame.size()) != static_cast<ssize_t>(frame.size())) return {};
    Bytes reply;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (reply.size() < length) {
      const auto left =
          std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
      pollfd pfd{fd_, POLLIN, 0};
      if (left.count() <= 0 || ::poll(&pfd, 1, static_cast<int>(left.count())) <= 0) break;
      std::array<std::uint8_t, 64> buffer{};
      const ssize_t count = ::read(fd_, buffer.data(), std::min(buffer.size(), length - reply.size()));
      if (count <= 0) break;
      reply.insert(reply.end(), buffer.begin(), buffer.begin() + count);
    }
    return reply;
  }

 private:
  int fd_;
};

std::array<std::uint8_t, LineLength> Text(const char (&text)[LineLength + 1]) {
  std::array<std::uint8_t, LineLength> data{};
  for (std::size_t i = 0; i < LineLength; ++i) data[i] = static_cast<std::uint8_t>(text[i]);
  return data;
}

TEST(RadioSimPty, WritesReadBackAndPersistAcrossRuns) {
  QTemporaryDir dir;
  const QString image = dir.filePath(QStringLiteral("radio.bin"));
  const auto data = Text("Plant 7 dealer..");
  {
    RadioSimulator radio(image);
    ASSERT_TRUE(radio.Start({QStringLiteral("--split-ms"), QStringLiteral("5")}));
    StationEnd station(radio.LinkPath());
    EXPECT_EQ(station.Ask(BuildWriteFrame(0x02FA0070, data), 1), Bytes{0x06});
    EXPECT_EQ(station.Ask(BuildReadRequest(0x02FA0070, LineLength), 24), BuildWriteFrame(0x02FA0070, data));
    const std::optional<FactoryImage> saved = radio.ReadImage();
    ASSERT_TRUE(saved);
    EXPECT_EQ((*saved)[0x70], 'P');
    EXPECT_EQ((*saved)[0x10], 'Z');
  }
  RadioSimulator again(image);
  ASSERT_TRUE(again.Start({QStringLiteral("--serial"), QStringLiteral("X1")}));
  StationEnd station(again.LinkPath());
  EXPECT_EQ(station.Ask(BuildReadRequest(0x02FA0070, LineLength), 24), BuildWriteFrame(0x02FA0070, data));
  EXPECT_EQ(station.Ask(BuildReadRequest(0x02FA0030, LineLength), 24)[6], 'X');
}

TEST(RadioSimPty, RemovingTheLinkFromOutsideStopsTheRadio) {
  RadioSimulator radio;
  ASSERT_TRUE(radio.Start());
  const auto pulled = std::chrono::steady_clock::now();
  ASSERT_TRUE(radio.Unplug());
  EXPECT_TRUE(radio.WaitForExit());
  EXPECT_LT(std::chrono::steady_clock::now() - pulled, std::chrono::milliseconds(500));
}

TEST(RadioSimPty, RefusesAnExistingPortEntryAndBadImages) {
  RadioSimulator radio;
  QFile taken(radio.PortDir() + QStringLiteral("/COM3"));
  ASSERT_TRUE(taken.open(QIODevice::WriteOnly));
  taken.close();
  const testing::AssertionResult started = radio.Start({}, 3);
  ASSERT_FALSE(started);
  EXPECT_TRUE(QString::fromUtf8(started.message()).contains(QStringLiteral("COM3 already exists")))
      << started.message();
  EXPECT_TRUE(QFileInfo(taken.fileName()).isFile());  // left as it was

  QFile image(radio.ImagePath());
  ASSERT_TRUE(image.open(QIODevice::WriteOnly));
  image.write(QByteArray(255, '\0'));
  image.close();
  const testing::AssertionResult badImage = radio.Start({}, 4);
  ASSERT_FALSE(badImage);
  EXPECT_TRUE(QString::fromUtf8(badImage.message()).contains(QStringLiteral("255 bytes"))) << badImage.message();
  EXPECT_FALSE(QFileInfo::exists(radio.PortDir() + QStringLiteral("/COM4")));
}

}  // namespace
}  // namespace zr
