// The program's screenshot mode, end to end: the window reads the simulated
// radio on the selected port and saves itself as a PNG.
#include <gtest/gtest.h>

#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include "tests/support/radio_simulator.h"

namespace zr::window {
namespace {

TEST(ScreenshotMode, ReadsTheRadioAndSavesTheWindow) {
  zr::test::RadioSimulator radio;
  ASSERT_TRUE(radio.Start({}, 3));
  QTemporaryDir out;
  const QString png = out.filePath(QStringLiteral("window.png"));

  QProcess program;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("ZR93KW_PORT_DIR"), radio.PortDir());
  environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  program.setProcessEnvironment(environment);
  program.start(QStringLiteral(ZR_SETFACTORY_PATH), {QStringLiteral("--screenshot"), png});
  ASSERT_TRUE(program.waitForFinished(30000));
  const QString errors = QString::fromLocal8Bit(program.readAllStandardError());
  EXPECT_EQ(program.exitCode(), 0) << errors.toStdString();
  EXPECT_TRUE(errors.contains(QStringLiteral("Read Complete!"))) << errors.toStdString();
  const QImage image(png);
  EXPECT_EQ(image.size(), QSize(617, 593));
}

}  // namespace
}  // namespace zr::window
