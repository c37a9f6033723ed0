// The program's window under SIGTERM: it ends as Exit ends it, closing the
// port of a running read and leaving "CommHandle" = "0".
#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QThread>

#include "lang/messages.h"
#include "platform/settings_file.h"
#include "tests/support/radio_simulator.h"

namespace zr::window {
namespace {

TEST(TerminationSignal, EndsTheWindowAsExitDoes) {
  zr::test::RadioSimulator radio;
  ASSERT_TRUE(radio.Start({QStringLiteral("--delay-ms"), QStringLiteral("30")}, 3));
  // A copy of the program keeps its settings file to itself.
  QTemporaryDir dir;
  const QString program = dir.filePath(QStringLiteral("zr93kw-setfactory"));
  ASSERT_TRUE(QFile::copy(QStringLiteral(ZR_SETFACTORY_PATH), program));
  const platform::SettingsFile settings(dir.filePath(QStringLiteral("mysetup.ini")));
  const auto commHandle = [&] { return settings.GetString(QStringLiteral("language"), QStringLiteral("CommHandle")); };

  QProcess window;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("ZR93KW_PORT_DIR"), radio.PortDir());
  environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  window.setProcessEnvironment(environment);
  // The screenshot mode starts a read at once; its boxes go to standard error.
  window.start(program, {QStringLiteral("--screenshot"), dir.filePath(QStringLiteral("window.png"))});
  const QDeadlineTimer deadline(15000);
  while ((commHandle().isEmpty() || commHandle() == QStringLiteral("0")) && !deadline.hasExpired()) {
    QThread::msleep(10);
  }
  ASSERT_NE(commHandle(), QStringLiteral("0")) << "the read did not start";
  ASSERT_FALSE(commHandle().isEmpty()) << "the read did not start";

  window.terminate();
  ASSERT_TRUE(window.waitForFinished(15000));
  const QString errors = QString::fromLocal8Bit(window.readAllStandardError());
  EXPECT_EQ(window.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(window.exitCode(), 1) << errors.toStdString();  // no screenshot
  // The read ended silently.
  for (const QString& message : {lang::ReadCompleteText, lang::CommunicationFailedText, lang::CannotOpenPortText}) {
    EXPECT_FALSE(errors.contains(message)) << errors.toStdString();
  }
  EXPECT_EQ(commHandle(), QStringLiteral("0"));
}

}  // namespace
}  // namespace zr::window
