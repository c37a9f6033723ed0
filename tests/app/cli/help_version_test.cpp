// --version and --help answer at once, without a display, as the build's
// man page generator and the package scripts run them.
#include <gtest/gtest.h>

#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>

namespace zr {
namespace {

struct Answer {
  int status;
  QString out;
  QString err;
};

Answer RunWithoutDisplay(const QString& option) {
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) environment.remove(QString::fromUtf8(name));
  QProcess station;
  station.setProcessEnvironment(environment);
  station.start(QStringLiteral(ZR_STATION_PATH), {option});
  EXPECT_TRUE(station.waitForFinished(20000));
  return {station.exitCode(), QString::fromUtf8(station.readAllStandardOutput()),
          QString::fromUtf8(station.readAllStandardError())};
}

TEST(HelpAndVersion, VersionIsTheProjectsAndHelpNamesTheSettingsFile) {
  const Answer version = RunWithoutDisplay(QStringLiteral("--version"));
  EXPECT_EQ(version.status, 0) << version.err.toStdString();
  EXPECT_EQ(version.out, QStringLiteral("zr93kw-setfactory " ZR_PROJECT_VERSION "\n"));

  // The build folder takes files, so the file is the one beside the program.
  const Answer help = RunWithoutDisplay(QStringLiteral("--help"));
  EXPECT_EQ(help.status, 0) << help.err.toStdString();
  const QString settings = QFileInfo(QStringLiteral(ZR_STATION_PATH)).absolutePath() + QStringLiteral("/mysetup.ini");
  EXPECT_TRUE(help.out.endsWith(QStringLiteral("\nSettings: ") + settings + u'\n')) << help.out.toStdString();
}

}  // namespace
}  // namespace zr
