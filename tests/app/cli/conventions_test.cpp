// The command line as users of such tools expect it: each subcommand's help,
// a port named by its device, the ports with what the system knows of them,
// the database tried on its own, progress on a terminal.
#include <gtest/gtest.h>

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QThread>

#include "app/cli/terminal_progress.h"
#include "station_run.h"
#include "tests/db/test_database.h"
#include "tests/support/radio_simulator.h"

namespace zr {
namespace {

using test::RunStation;

TEST(CommandLine, EachSubcommandHasItsOwnHelp) {
  for (const auto& [subcommand, option] : {std::pair("read", "--save"), std::pair("write", "--from-defaults"),
                                           std::pair("ports", "--json"), std::pair("log", "--since"),
                                           std::pair("db-check", "--serial")}) {
    const test::StationRun run = RunStation({QString::fromLatin1(subcommand), QStringLiteral("--help")},
                                            {{QStringLiteral("DISPLAY"), QString()}});
    EXPECT_EQ(run.status, 0) << subcommand;
    EXPECT_TRUE(run.out.contains(QString::fromLatin1(option))) << run.out.toStdString();
    EXPECT_TRUE(run.err.isEmpty()) << run.err.toStdString();
  }
}

TEST(CommandLine, APortNamedByItsDeviceIsItsComNumberAndThePortsSayWhatTheyAre) {
  test::RadioSimulator radio;
  ASSERT_TRUE(radio.Start());
  QTemporaryDir state;
  const std::vector<std::pair<QString, QString>> environment{{QStringLiteral("ZR93KW_PORT_DIR"), radio.PortDir()},
                                                             {QStringLiteral("XDG_STATE_HOME"), state.path()}};
  const QString device = QDir(radio.PortDir()).filePath(QStringLiteral("COM1"));

  const test::StationRun read = RunStation({"read", "--port", device, "--json"}, environment);
  EXPECT_EQ(read.status, 0) << read.err.toStdString();
  QFile log(state.filePath(QStringLiteral("zr93kw-setfactory/station-log.jsonl")));
  ASSERT_TRUE(log.open(QIODevice::ReadOnly));
  const QJsonObject port = QJsonDocument::fromJson(log.readAll()).object()[QStringLiteral("port")].toObject();
  EXPECT_EQ(port[QStringLiteral("com")].toInt(), 1);
  EXPECT_EQ(port[QStringLiteral("device")].toString(), QFileInfo(device).canonicalFilePath());

  const test::StationRun notAPort = RunStation({"read", "--port", state.path()}, environment);
  EXPECT_EQ(notAPort.status, 1);
  EXPECT_TRUE(notAPort.err.contains(QStringLiteral("none of this PC's serial ports"))) << notAPort.err.toStdString();

  const test::StationRun ports = RunStation({"ports", "--json"}, environment);
  EXPECT_EQ(ports.status, 0) << ports.err.toStdString();
  const QJsonObject listed = QJsonDocument::fromJson(ports.out.toUtf8()).object();
  const QJsonObject first = listed[QStringLiteral("ports")].toArray().first().toObject();
  EXPECT_EQ(first[QStringLiteral("name")].toString(), QStringLiteral("COM1"));
  EXPECT_EQ(first[QStringLiteral("device")].toString(), QFileInfo(device).canonicalFilePath());
  EXPECT_TRUE(first.contains(QStringLiteral("usbId")));
  EXPECT_TRUE(listed[QStringLiteral("settings")].toString().endsWith(QStringLiteral("mysetup.ini")));
}

TEST(CommandLine, DbCheckSaysWhetherTheDatabaseAnswersInTheDriversWords) {
  const test::StationRun down = RunStation(
      {"db-check", "--db-server", QStringLiteral("127.0.0.1,%1").arg(db::ClosedLoopbackPort())});
  EXPECT_EQ(down.status, 7);
  EXPECT_TRUE(down.err.contains(QStringLiteral("Database connection to"))) << down.err.toStdString();

  const auto server = db::TestServer();
  if (!server) GTEST_SKIP() << "no test database server: ZR_TEST_DB_SERVER is not set (scripts/test sets it)";
  db::TestTable table(*server);
  table.Reset({{QStringLiteral("SN-DB-1"), QStringLiteral("BOX-9"), std::nullopt}});
  const QStringList target{"--db-server", server->server, "--db-driver", server->driver};
  const test::StationRun up = RunStation(QStringList{"db-check", "--serial", "SN-DB-1"} + target);
  EXPECT_EQ(up.status, 0) << up.err.toStdString();
  EXPECT_TRUE(up.out.contains(QStringLiteral("package BOX-9"))) << up.out.toStdString();
  const test::StationRun missing = RunStation(QStringList{"db-check", "--serial", "SN-NONE"} + target);
  EXPECT_EQ(missing.status, 0);
  EXPECT_TRUE(missing.out.contains(QStringLiteral("no row for serial number SN-NONE"))) << missing.out.toStdString();
}

TEST(TerminalProgress, ShowsOnlyOnATerminalAndOnlyOnceATransferIsSlow) {
  QString shown;
  QTextStream terminal(&shown);
  cli::TerminalProgress quiet(terminal, false);
  cli::TerminalProgress progress(terminal, true);
  for (cli::TerminalProgress* each : {&quiet, &progress}) each->Update(1, 0, 32);
  progress.Update(2, 0, 32);
  EXPECT_TRUE(shown.isEmpty());  // a quick transfer stays quiet

  QThread::msleep(cli::TerminalProgress::QuietMs + 20);
  quiet.Update(3, 1, 32);
  progress.Update(3, 1, 32);
  terminal.flush();
  EXPECT_EQ(shown, QStringLiteral("\rframe 3 of 32, 1 resend\x1b[K"));
  progress.Clear();
  terminal.flush();
  EXPECT_TRUE(shown.endsWith(QStringLiteral("\r\x1b[K")));
}

}  // namespace
}  // namespace zr
