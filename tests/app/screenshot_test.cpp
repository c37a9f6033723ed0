// The program itself in screenshot mode, offscreen against the simulated
// radio: it reads the radio on the selected port at once and saves the window.
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

class ScreenshotMode : public ::testing::Test {
 protected:
  void Start(const QString& path, const QStringList& radioOptions) {
    ASSERT_TRUE(radio.Start(radioOptions, 3));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("ZR93KW_PORT_DIR"), radio.PortDir());
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    program.setProcessEnvironment(environment);
    program.start(path, {QStringLiteral("--screenshot"), Png()});
  }
  QString Png() const { return dir.filePath(QStringLiteral("window.png")); }
  QString Errors() { return QString::fromLocal8Bit(program.readAllStandardError()); }

  zr::test::RadioSimulator radio;
  QTemporaryDir dir;
  QProcess program;
};

TEST_F(ScreenshotMode, ReadsTheRadioAndSavesTheWindow) {
  Start(QStringLiteral(ZR_SETFACTORY_PATH), {});
  ASSERT_TRUE(program.waitForFinished(30000));
  const QString errors = Errors();
  EXPECT_EQ(program.exitCode(), 0) << errors.toStdString();
  EXPECT_TRUE(errors.contains(lang::ReadCompleteText)) << errors.toStdString();
  EXPECT_EQ(QImage(Png()).size(), QSize(617, 605));
}

// SIGTERM closes the window as Exit does, mid-read; what closing does is the Exit test's.
TEST_F(ScreenshotMode, TerminationSignalClosesTheWindow) {
  // A copy of the program keeps its settings file to itself.
  const QString copy = dir.filePath(QStringLiteral("zr93kw-setfactory"));
  ASSERT_TRUE(QFile::copy(QStringLiteral(ZR_SETFACTORY_PATH), copy));
  const platform::SettingsFile settings(dir.filePath(QStringLiteral("mysetup.ini")));
  const auto commHandle = [&] { return settings.GetString(QStringLiteral("language"), QStringLiteral("CommHandle")); };
  Start(copy, {QStringLiteral("--delay-ms"), QStringLiteral("30")});
  const QDeadlineTimer deadline(15000);
  while (commHandle().toInt() == 0 && !deadline.hasExpired()) QThread::msleep(10);
  ASSERT_NE(commHandle().toInt(), 0) << "the read did not start";
  program.terminate();
  ASSERT_TRUE(program.waitForFinished(15000));
  EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(program.exitCode(), 1) << Errors().toStdString();  // no screenshot
}

}  // namespace
}  // namespace zr::window
