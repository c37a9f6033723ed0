// The headless commands, run as the operator's automation runs them: the
// executable against the simulated radio.
#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QProcessEnvironment>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <csignal>

#include "app/cli/window_field_names.h"
#include "tests/db/test_database.h"
#include "tests/support/radio_simulator.h"

namespace zr {
namespace {

struct StationRun {
  int status;
  QString out;
  QString err;
};

// Arguments written as one line; none of them holds a blank.
QStringList Args(const char* line) { return QString::fromUtf8(line).split(QLatin1Char(' ')); }

class Cli : public ::testing::Test {
 protected:
  StationRun Station(const QStringList& arguments, const QString& lang = QStringLiteral("en_US.UTF-8")) {
    QProcess station;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("ZR93KW_PORT_DIR"), radio.PortDir());
    environment.insert(QStringLiteral("LANG"), lang);
    environment.remove(QStringLiteral("LC_ALL"));
    station.setProcessEnvironment(environment);
    station.start(QStringLiteral(ZR_STATION_PATH), arguments);
    EXPECT_TRUE(station.waitForFinished(20000));
    return {station.exitCode(), QString::fromUtf8(station.readAllStandardOutput()),
            QString::fromUtf8(station.readAllStandardError())};
  }

  test::RadioSimulator radio;
};

TEST_F(Cli, WriteThenReadBackThroughTheCommandLine) {
  ASSERT_TRUE(radio.Start({QStringLiteral("--serial"), QStringLiteral("CLI-0000000001")}));
  const QString chinese = QStringLiteral("zh_CN.UTF-8");
  const StationRun write = Station(Args("write --port COM1 --set Seller=李四 --set Aprs=1"), chinese);
  EXPECT_EQ(write.status, 0) << write.err.toStdString();
  EXPECT_EQ(write.err, QStringLiteral("Write Complete!\n"));

  const StationRun read = Station(Args("read --port 1 --json"), chinese);
  ASSERT_EQ(read.status, 0) << read.err.toStdString();
  const QJsonObject record = QJsonDocument::fromJson(read.out.toUtf8()).object();
  EXPECT_EQ(record.value(QStringLiteral("Seller")).toString(), QString::fromUtf8("李四"));
  EXPECT_EQ(record.value(QStringLiteral("Aprs")).toInt(), 1);
  EXPECT_EQ(record.value(QStringLiteral("SerialNumber")).toString(), QStringLiteral("CLI-0000000001"));
  EXPECT_FALSE(record.value(QStringLiteral("TriBandCapable")).toBool());
}

TEST_F(Cli, EachEndHasItsExitStatusMessageAndCause) {
  ASSERT_TRUE(radio.Start({QStringLiteral("--model"), QStringLiteral("ZR93KX")}));
  StationRun run = Station(Args("read --port 1"));
  EXPECT_EQ(run.status, 4);
  EXPECT_EQ(run.err, QStringLiteral("Model Type Error!\nzr93kw-setfactory: model error: the radio's model is "
                                    "\"ZR93KX\", not \"ZR93KW\"\n"));
  EXPECT_TRUE(run.out.isEmpty());

  run = Station(Args("read --port 2"));
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err, QStringLiteral("Cannot Open Communication Port.\n"
                                    "zr93kw-setfactory: port not opened: no serial port COM2 on this PC\n"));

  radio.Stop();
  ASSERT_TRUE(radio.Start({QStringLiteral("--no-answer"), QStringLiteral("program")}));
  run = Station(Args("read --port 1 --trace"));
  EXPECT_EQ(run.status, 3);
  EXPECT_TRUE(run.err.endsWith(QStringLiteral("Communication failed!\nzr93kw-setfactory: communication failed: "
                                              "PROGRAM: no reply within the time-outs, after 2 resends\n")))
      << run.err.toStdString();
  EXPECT_EQ(run.err.count(QStringLiteral("> 50 52 4F 47 52 41 4D")), 3);

  // A band the window has no entry for: the value is named, not only the window's text.
  radio.Stop();
  FactoryImage block;
  for (int i = 0; i < 6; ++i) block[0x10 + i] = static_cast<std::uint8_t>("ZR93KW"[i]);
  block[0x03] = 16;
  ASSERT_TRUE(radio.WriteImage(block));
  ASSERT_TRUE(radio.Start());
  run = Station(Args("read --port 1"));
  EXPECT_EQ(run.status, 8);
  EXPECT_TRUE(run.err.startsWith(QStringLiteral("Cannot Open Communication Port.\nzr93kw-setfactory: run-time error: ")));
  EXPECT_TRUE(run.err.contains(QStringLiteral("16"))) << run.err.toStdString();

  // Written, but the database is not there: not mistaken for an untouched radio.
  radio.Stop();
  block[0x03] = 0;
  ASSERT_TRUE(radio.WriteImage(block));
  ASSERT_TRUE(radio.Start());
  run = Station(Args("write --port 1 --package BOX-1 --db-server") +
                QStringList{QStringLiteral("127.0.0.1,%1").arg(db::ClosedLoopbackPort())});
  EXPECT_EQ(run.status, 7) << run.err.toStdString();
  EXPECT_TRUE(run.err.contains(QStringLiteral("zr93kw-setfactory: database failed: "))) << run.err.toStdString();
}

TEST_F(Cli, ASignalStopsAWriteAtAFrameBoundaryAndSaysWhatWasWritten) {
  ASSERT_TRUE(radio.Start({QStringLiteral("--delay-ms"), QStringLiteral("30")}));
  for (const auto& [signalNumber, status] : {std::pair(SIGINT, 130), std::pair(SIGTERM, 143), std::pair(SIGHUP, 129)}) {
    const qsizetype traced = radio.Trace().size();
    QProcess station;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("ZR93KW_PORT_DIR"), radio.PortDir());
    station.setProcessEnvironment(environment);
    station.start(QStringLiteral(ZR_STATION_PATH), Args("write --port 1 --set Seller=Q"));
    // Once the radio has taken line 0x20, the write is half done.
    QDeadlineTimer deadline(10000);
    while (!radio.Trace().mid(traced).contains(QStringLiteral("> 57 02 FA 00 20 10")) && !deadline.hasExpired()) {
      QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    ::kill(static_cast<pid_t>(station.processId()), signalNumber);
    ASSERT_TRUE(station.waitForFinished(10000));
    const QString err = QString::fromUtf8(station.readAllStandardError());
    EXPECT_EQ(station.exitStatus(), QProcess::NormalExit) << signalNumber;
    EXPECT_EQ(station.exitCode(), status) << err.toStdString();
    EXPECT_TRUE(err.contains(QStringLiteral("interrupted: stopped by "))) << err.toStdString();
    EXPECT_TRUE(err.contains(QStringLiteral("lines written: 0x00 0x20"))) << err.toStdString();
    // The radio was let out of programming mode, and nothing came after that.
    const QString afterwards = radio.Trace().mid(traced);
    EXPECT_TRUE(afterwards.trimmed().contains(QStringLiteral("45 4E 44"))) << afterwards.toStdString();
    EXPECT_FALSE(afterwards.contains(QStringLiteral("> 57 02 FA 00 F0 10")));
  }
}

TEST_F(Cli, BrokenOutputNeitherKillsTheStationNorPassesAsSuccess) {
  ASSERT_TRUE(radio.Start());
  const QString station = QStringLiteral(ZR_STATION_PATH);
  for (const QString& line : {station + QStringLiteral(" read --port 1 --json > /dev/full"),
                              // The reader is gone before the station writes: no SIGPIPE death.
                              station + QStringLiteral(" read --port 1 --json | (exec 0<&-; sleep 1)")}) {
    QProcess shell;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("ZR93KW_PORT_DIR"), radio.PortDir());
    shell.setProcessEnvironment(environment);
    shell.start(QStringLiteral("bash"), {QStringLiteral("-c"), QStringLiteral("set -o pipefail; ") + line});
    ASSERT_TRUE(shell.waitForFinished(20000));
    EXPECT_EQ(shell.exitCode(), 11) << line.toStdString() << shell.readAllStandardError().toStdString();
    EXPECT_TRUE(QString::fromUtf8(shell.readAllStandardError()).contains(QStringLiteral("cannot write the output")));
  }
}

TEST_F(Cli, ThreeBandEntryForARadioWithoutItIsRefusedAndNothingIsWritten) {
  ASSERT_TRUE(radio.Start());
  const StationRun run = Station(Args("write --port 1 --set BandIndex=14 --set Seller=never"));
  EXPECT_EQ(run.status, 5);
  EXPECT_TRUE(run.err.startsWith(QStringLiteral("write error\nzr93kw-setfactory: write refused: ")));
  EXPECT_FALSE(radio.ReadImage().has_value());  // the radio saved no write
}

TEST_F(Cli, BadArgumentsAreNamedAndNothingIsSent) {
  ASSERT_TRUE(radio.Start());
  for (const char* arguments :
       {"read", "read --port COMX", "read --port +1", "read --port 1x", "read --port 0", "read --port 1 --port 2",
        "read --port 1 --json --json", "write --port 1 --set Color=red", "write --port 1 --set BandIndex=+3",
        "write --port 1 --set WorkCountry=01x", "write --port 1 --band-change maybe",
        "write --port 1 --package B --package C", "read --port 1 --package B", "fly"}) {
    const StationRun run = Station(Args(arguments));
    EXPECT_EQ(run.status, 1) << arguments;
    EXPECT_TRUE(run.err.startsWith(QStringLiteral("zr93kw-setfactory: "))) << run.err.toStdString();
  }
  // Text the radio cannot hold as given is refused before the port opens.
  for (const auto& [text, named] : {std::pair("Seller=张三", "U+5F20"), std::pair("DealerCode=aÿ", "U+00FF")}) {
    const StationRun run = Station({QStringLiteral("write"), QStringLiteral("--port"), QStringLiteral("1"),
                                    QStringLiteral("--set"), QString::fromUtf8(text)});
    EXPECT_EQ(run.status, 1) << text;
    EXPECT_TRUE(run.err.contains(QString::fromLatin1(named))) << run.err.toStdString();
  }
  EXPECT_FALSE(radio.Trace().contains(QStringLiteral("50 52 4F 47 52 41 4D")));

  // Options may stand before the subcommand, and no display is needed for one.
  QProcess station;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("ZR93KW_PORT_DIR"), radio.PortDir());
  for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) environment.remove(QString::fromLatin1(variable));
  station.setProcessEnvironment(environment);
  station.start(QStringLiteral(ZR_STATION_PATH), Args("--port 1 read"));
  ASSERT_TRUE(station.waitForFinished(20000));
  EXPECT_EQ(station.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(station.exitCode(), 0) << station.readAllStandardError().toStdString();
  station.start(QStringLiteral(ZR_STATION_PATH), QStringList{});
  ASSERT_TRUE(station.waitForFinished(20000));
  EXPECT_EQ(station.exitCode(), 1);
  EXPECT_TRUE(QString::fromUtf8(station.readAllStandardError()).contains(QStringLiteral("no display")));

  // A mistyped port folder never falls back to the system's ports.
  environment.insert(QStringLiteral("ZR93KW_PORT_DIR"), radio.PortDir() + QStringLiteral("-typo"));
  station.setProcessEnvironment(environment);
  for (const char* arguments : {"read --port 1", "ports"}) {
    station.start(QStringLiteral(ZR_STATION_PATH), Args(arguments));
    ASSERT_TRUE(station.waitForFinished(20000));
    EXPECT_EQ(station.exitCode(), 1) << arguments;
    EXPECT_TRUE(QString::fromUtf8(station.readAllStandardError()).contains(QStringLiteral("ZR93KW_PORT_DIR=")));
  }
}

TEST_F(Cli, PackageOptionRecordsTheAssociationOrReportsItMissing) {
  const auto server = db::TestServer();
  if (!server) {
    GTEST_SKIP() << "no test database server: ZR_TEST_DB_SERVER is not set (scripts/test starts one and sets it)";
  }
  db::TestTable table(*server);
  table.Reset({{QStringLiteral("CLI-0000000002"), std::nullopt, std::nullopt}});
  ASSERT_TRUE(radio.Start({QStringLiteral("--serial"), QStringLiteral("CLI-0000000002")}));
  const QStringList write = Args("write --port 1 --package BOX-'7") +
                            QStringList{QStringLiteral("--db-server"), server->server,
                                        QStringLiteral("--db-driver"), server->driver};
  StationRun run = Station(write);
  EXPECT_EQ(run.status, 0) << run.err.toStdString();
  EXPECT_EQ(run.err, QStringLiteral("Waitting next...\n"));
  ASSERT_EQ(table.Rows().size(), 1);
  EXPECT_EQ(table.Rows()[0].packageCode, QStringLiteral("BOX-'7"));

  table.Reset({});
  run = Station(write);
  EXPECT_EQ(run.status, 6);
  EXPECT_TRUE(run.err.contains(QStringLiteral("在数据库中建立关联失败,是否重建关联？ -> No"))) << run.err.toStdString();
  EXPECT_TRUE(run.err.contains(QStringLiteral("zr93kw-setfactory: association missing: the database holds no "
                                              "association of CLI-0000000002 with BOX-'7")))
      << run.err.toStdString();
  EXPECT_TRUE(table.Rows().isEmpty());
}

TEST(WindowFieldNames, SettingAFieldFollowsTheWindowsEntryRules) {
  FormValues form;
  cli::SetWindowField(form, QStringLiteral("MaintainedDescription"), QString(100, QLatin1Char('x')));
  EXPECT_EQ(form.maintainedDescription.size(), 80);
  cli::SetWindowField(form, QStringLiteral("ProgramPassword"), QStringLiteral("123456"));
  EXPECT_EQ(form.programPassword, QStringLiteral("1234"));
  cli::SetWindowField(form, QStringLiteral("WorkCountry"), QStringLiteral("2"));
  EXPECT_EQ(form.workCountryPosition, 2);
  for (const auto& [name, value] : std::vector<std::pair<const char*, const char*>>{
           {"AreaCode", "区号"}, {"WorkCountry", "3"}, {"Aprs", "2"}, {"SerialNumber", "X"}, {"RemoteKill", "1"}}) {
    EXPECT_THROW(cli::SetWindowField(form, QString::fromLatin1(name), QString::fromUtf8(value)), cli::UsageError)
        << name;
  }
}

}  // namespace
}  // namespace zr
