// The command line as users of such tools expect it: --version and each
// subcommand's help without a display, a port named by its device, the ports
// with what the system knows of them, the database tried on its own, progress
// on a terminal.
#include <gtest/gtest.h>

#include <QDir>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSet>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>
#include <memory>

#include "app/cli/command_options.h"
#include "app/cli/exit_status.h"
#include "app/cli/terminal_progress.h"
#include "app/cli/field_arguments.h"
#include "db/connection_string.h"
#include "station_run.h"
#include "tests/db/test_database.h"

namespace zr {
namespace {

using namespace test;

// As the build's man page generator, the package scripts and users run them:
// no display needed, nothing on stderr.
TEST(CommandLine, VersionAndEachHelpNeedNoDisplay) {
  // The build folder takes files, so the settings file is the one beside the program.
  const QString settings = QFileInfo(QStringLiteral(ZR_STATION_PATH)).absolutePath() + QStringLiteral("/mysetup.ini");
  const std::pair<QStringList, QString> cases[] = {
      {{"--version"}, "zr93kw-setfactory " ZR_PROJECT_VERSION "\n"},
      {{"--help"}, "\nSettings: " + settings + u'\n'},
      // The fields with their widths and the bands by position, the three-band one marked.
      {{"write", "--help"}, "\n  Seller                 at most 16 characters, 16 bytes in the ANSI code page"},
      {{"write", "--help"}, "\n  13   UHF{403 - 470 MHz} VHF{136 - 174 MHz}\n  14*  UHF{400 - 520 MHz} MHF{220 - 225 MHz}"},
  };
  for (const auto& [arguments, shown] : cases) {
    const StationRun run = RunStation(arguments, NoDisplay);
    EXPECT_EQ(run.status, 0) << arguments.join(' ').toStdString();
    EXPECT_TRUE(shown.endsWith(u'\n') ? run.out.endsWith(shown) : run.out.contains(shown)) << run.out.toStdString();
    EXPECT_TRUE(run.err.isEmpty()) << run.err.toStdString();
  }
  // Each help lists what its front end takes, the window's in the program's own.
  for (const cli::FrontEnd frontEnd : cli::FrontEnds) {
    const QString name = cli::NameOf(frontEnd);
    const StationRun run = RunStation(name.isEmpty() ? QStringList{"--help"} : QStringList{name, "--help"}, NoDisplay);
    for (const QCommandLineOption& option : cli::OptionsOf(frontEnd)) {
      const QString value = option.valueName().isEmpty() ? QString() : " <" + option.valueName() + '>';
      const QString listed = "\n  --" + option.names().front() + value;
      EXPECT_TRUE(run.out.contains(listed)) << name.toStdString() << listed.toStdString();
    }
  }
}

// The completion is a file of its own: its words are the option table's and
// the settable fields', and every option that takes a value has its case.
TEST(BashCompletion, OffersTheWordsOfTheOptionAndFieldTables) {
  QFile file(QStringLiteral(ZR_BASH_COMPLETION_PATH));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QString script = QString::fromUtf8(file.readAll());
  const auto sorted = [](QStringList words) {
    words.sort();
    return words.join(u' ').toStdString();
  };
  const auto words = [&](const QString& pattern) {
    QStringList found;  // every match's words
    for (const QRegularExpressionMatch& match : QRegularExpression(pattern).globalMatch(script)) {
      found << match.captured(1).split(QRegularExpression(QStringLiteral("[\\s|]+")), Qt::SkipEmptyParts);
    }
    return sorted(found);
  };
  EXPECT_EQ(words(R"re(_subcommands="([^"]*)")re"), sorted(cli::SubcommandNames() << "help"));
  EXPECT_EQ(words(R"re(_fields="([^"]*)")re"), sorted(cli::SettableFieldNames()));
  QStringList valued;
  for (const cli::FrontEnd frontEnd : cli::FrontEnds) {
    const QString name = cli::NameOf(frontEnd);
    QStringList offered{"--help"};
    if (name.isEmpty()) offered << "--version";
    for (const QCommandLineOption& option : cli::OptionsOf(frontEnd)) {
      offered << "--" + option.names().front();
      if (!option.valueName().isEmpty() && !valued.contains(offered.back())) valued << offered.back();
    }
    const QString echoed = QStringLiteral(R"re(\n    %1\) echo "([^"]*)")re").arg(name.isEmpty() ? "\\*" : name);
    EXPECT_EQ(words(echoed), sorted(offered)) << name.toStdString();
  }
  EXPECT_EQ(words(R"re(_valued="([^"]*)")re"), sorted(valued));
  EXPECT_EQ(words(R"re(\n    (--[-a-z]+(?: \| --[-a-z]+)*)\))re"), sorted(valued));  // each has its `case $prev`
}

using CommandLineOnRadio = OnRadio;

TEST_F(CommandLineOnRadio, APortNamedByItsDeviceIsItsComNumberAndThePortsSayWhatTheyAre) {
  ASSERT_TRUE(radio.Start());
  const QString device = QDir(radio.PortDir()).filePath(QStringLiteral("COM1"));

  const StationRun read = Station({"read", "--port", device, "--json"});
  EXPECT_EQ(read.status, 0) << read.err.toStdString();
  QFile log(StatePath("station-log.jsonl"));
  ASSERT_TRUE(log.open(QIODevice::ReadOnly));
  const QJsonObject port = QJsonDocument::fromJson(log.readAll()).object()[QStringLiteral("port")].toObject();
  EXPECT_EQ(port[QStringLiteral("com")].toInt(), 1);
  EXPECT_EQ(port[QStringLiteral("device")].toString(), QFileInfo(device).canonicalFilePath());

  const StationRun notAPort = Station({"read", "--port", state.path()});
  EXPECT_EQ(notAPort.status, 1);
  EXPECT_TRUE(notAPort.err.contains(QStringLiteral("none of this PC's serial ports"))) << notAPort.err.toStdString();

  const StationRun ports = Station({"ports", "--json"});
  EXPECT_EQ(ports.status, 0) << ports.err.toStdString();
  const QJsonObject listed = QJsonDocument::fromJson(ports.out.toUtf8()).object();
  const QJsonObject first = listed[QStringLiteral("ports")].toArray().first().toObject();
  EXPECT_EQ(first[QStringLiteral("name")].toString(), QStringLiteral("COM1"));
  EXPECT_EQ(first[QStringLiteral("device")].toString(), QFileInfo(device).canonicalFilePath());
  EXPECT_TRUE(first.contains(QStringLiteral("usbId")));
  EXPECT_TRUE(listed[QStringLiteral("settings")].toString().endsWith(QStringLiteral("mysetup.ini")));
}

// Runs db-check against `server`, a loopback stand-in for SQL Server; gives
// the run and the first byte FreeTDS sent it (-1: none).
std::pair<StationRun, int> DbCheckAgainst(QTcpServer& server, const QString& name, const Variables& variables) {
  QProcess station;
  station.setProcessEnvironment(StationEnvironment(variables));
  station.start(QStringLiteral(ZR_STATION_PATH), {QStringLiteral("db-check"), QStringLiteral("--db-server"), name});
  int first = -1;
  for (QDeadlineTimer deadline(20000); !station.waitForFinished(20) && !deadline.hasExpired();) {
    if (!server.waitForNewConnection(20)) continue;
    const std::unique_ptr<QTcpSocket> connection(server.nextPendingConnection());
    if (first < 0 && connection->waitForReadyRead(2000)) first = static_cast<unsigned char>(connection->read(1).front());
  }
  return {{station.exitCode(), QString::fromUtf8(station.readAllStandardOutput()),
           QString::fromUtf8(station.readAllStandardError())},
          first};
}

// SQL Server's naming: a bare host is port 1433, "host,port" that port, and
// FreeTDS's TDSPORT wins. Each stand-in must get FreeTDS's pre-login (0x12);
// the failure names what was tried, once, and each of the driver's records once.
TEST(CommandLine, DbCheckReachesTheServerAsThePlantNamesIt) {
  QTcpServer standard;
  QTcpServer other;
  ASSERT_TRUE(other.listen(QHostAddress::LocalHost));
  const bool standardListens = standard.listen(QHostAddress::LocalHost, db::SqlServerPort);
  const QString port = QString::number(other.serverPort());
  const Variables freeTds{{"TDSPORT", {}}, {"TDSVER", {}}};
  const struct {
    QString server;
    Variables variables;
    QTcpServer& stand;
    QString tried;
  } cases[] = {
      {"127.0.0.1", freeTds, standard, "host 127.0.0.1, port 1433, TDS version auto"},
      {"localhost", freeTds, standard, "host localhost, port 1433, TDS version auto"},
      {"127.0.0.1," + port, freeTds, other, "host 127.0.0.1, port " + port + ", TDS version auto"},
      {"127.0.0.1", {{"TDSPORT", port}, {"TDSVER", "7.4"}}, other,
       "host 127.0.0.1, port " + port + " (TDSPORT), TDS version 7.4 (TDSVER)"},
  };
  for (const auto& c : cases) {
    if (&c.stand == &standard && !standardListens) continue;
    SCOPED_TRACE(c.server.toStdString());
    const auto [run, first] = DbCheckAgainst(c.stand, c.server, c.variables);
    EXPECT_EQ(run.status, 7);
    EXPECT_EQ(first, 0x12) << run.err.toStdString();
    const QString all = run.out + run.err;
    EXPECT_EQ(all.count(QStringLiteral("ODBC driver \"FreeTDS\", ") + c.tried), 1) << all.toStdString();
    EXPECT_EQ(all.count(QStringLiteral("port ")), 1) << all.toStdString();
    const QStringList records = run.err.split(QStringLiteral(" ["));
    EXPECT_EQ(QSet<QString>(records.begin(), records.end()).size(), records.size()) << all.toStdString();
  }
  if (!standardListens) GTEST_SKIP() << "port 1433 is taken on this PC: the bare-name cases did not run";
}

TEST(CommandLine, DbCheckSaysWhetherTheDatabaseAnswersInTheDriversWords) {
  const auto server = db::TestServer();
  if (!server) GTEST_SKIP() << "no test database server: ZR_TEST_DB_SERVER is not set (scripts/test sets it)";
  db::TestTable table(*server);
  table.Reset({{QStringLiteral("SN-DB-1"), QStringLiteral("BOX-9"), QDateTime(QDate(2026, 1, 2), QTime(8, 0))}});
  const QStringList target{"--db-server", server->server, "--db-driver", server->driver};
  const StationRun up = RunStation(QStringList{"db-check", "--serial", "SN-DB-1"} + target);
  EXPECT_EQ(up.status, 0) << up.err.toStdString();
  EXPECT_TRUE(up.out.contains(QStringLiteral("package BOX-9"))) << up.out.toStdString();
  const StationRun missing = RunStation(QStringList{"db-check", "--serial", "SN-NONE"} + target);
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

// The device says the rights were missing; the command line says what to do about it.
TEST(CauseLine, APortTheUserMayNotOpenNamesTheDialoutGroup) {
  TransferOutcome outcome{TransferEnd::PortNotOpened, QStringLiteral("/dev/ttyUSB0: Permission denied")};
  outcome.portOpenError = PortOpenError::PermissionDenied;
  QString said;
  QTextStream err(&said);
  cli::PrintCause(err, outcome);
  EXPECT_TRUE(said.contains(QStringLiteral("Permission denied (the user may need to be in the dialout group: sudo")));
}

}  // namespace
}  // namespace zr
