// The program's window end to end against the simulated radio: the
// screenshot mode reads the radio on the selected port at once and saves the
// window as a PNG.
#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QThread>

#include "lang/messages.h"
#include "platform/settings_file.h"
#include "tests/support/radio_simulator.h"

namespace zr::window {
namespace {

// The program in screenshot mode on `radio`'s ports, offscreen.
void StartScreenshot(QProcess& program, const QString& path, const zr::test::RadioSimulator& radio,
                     const QString& png) {
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("ZR93KW_PORT_DIR"), radio.PortDir());
  environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  program.setProcessEnvironment(environment);
  program.start(path, {QStringLiteral("--screenshot"), png});
}

TEST(ScreenshotMode, ReadsTheRadioAndSavesTheWindow) {
  zr::test::RadioSimulator radio;
  ASSERT_TRUE(radio.Start({}, 3));
  QTemporaryDir out;
  const QString png = out.filePath(QStringLiteral("window.png"));

  QProcess program;
  StartScreenshot(program, QStringLiteral(ZR_SETFACTORY_PATH), radio, png);
  ASSERT_TRUE(program.waitForFinished(30000));
  const QString errors = QString::fromLocal8Bit(program.readAllStandardError());
  EXPECT_EQ(program.exitCode(), 0) << errors.toStdString();
  EXPECT_TRUE(errors.contains(QStringLiteral("Read Complete!"))) << errors.toStdString();
  const QImage image(png);
  EXPECT_EQ(image.size(), QSize(617, 593));
}

// SIGTERM ends the window as Exit does: the running read stops silently and
// the port is closed ("CommHandle" = "0").
TEST(ScreenshotMode, TerminationSignalClosesTheWindow) {
  zr::test::RadioSimulator radio;
  ASSERT_TRUE(radio.Start({QStringLiteral("--delay-ms"), QStringLiteral("30")}, 3));
  // A copy of the program keeps its settings file to itself.
  QTemporaryDir dir;
  const QString copy = dir.filePath(QStringLiteral("zr93kw-setfactory"));
  ASSERT_TRUE(QFile::copy(QStringLiteral(ZR_SETFACTORY_PATH), copy));
  const platform::SettingsFile settings(dir.filePath(QStringLiteral("mysetup.ini")));
  const auto commHandle = [&] { return settings.GetString(QStringLiteral("language"), QStringLiteral("CommHandle")); };

  QProcess program;
  StartScreenshot(program, copy, radio, dir.filePath(QStringLiteral("window.png")));
  const QDeadlineTimer deadline(15000);
  while (commHandle().toInt() == 0 && !deadline.hasExpired()) QThread::msleep(10);
  ASSERT_NE(commHandle().toInt(), 0) << "the read did not start";
  program.terminate();
  ASSERT_TRUE(program.waitForFinished(15000));
  const QString errors = QString::fromLocal8Bit(program.readAllStandardError());
  EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(program.exitCode(), 1) << errors.toStdString();  // no screenshot
  for (const QString& message : {lang::ReadCompleteText, lang::CommunicationFailedText, lang::CannotOpenPortText}) {
    EXPECT_FALSE(errors.contains(message)) << errors.toStdString();
  }
  EXPECT_EQ(commHandle(), QStringLiteral("0"));
}

}  // namespace
}  // namespace zr::window
