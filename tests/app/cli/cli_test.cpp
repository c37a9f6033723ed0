// The headless commands, run as the operator's automation runs them: the
// executable against the simulated radio.
#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QProcessEnvironment>

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

TEST_F(Cli, EachEndHasItsExitStatusAndMessage) {
  ASSERT_TRUE(radio.Start({QStringLiteral("--model"), QStringLiteral("ZR93KX")}));
  StationRun run = Station(Args("read --port 1"));
  EXPECT_EQ(run.status, 4);
  EXPECT_EQ(run.err, QStringLiteral("Model Type Error!\n"));
  EXPECT_TRUE(run.out.isEmpty());

  run = Station(Args("read --port 2"));
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err, QStringLiteral("Cannot Open Communication Port.\n"));

  radio.Stop();
  ASSERT_TRUE(radio.Start({QStringLiteral("--no-answer"), QStringLiteral("program")}));
  run = Station(Args("read --port 1 --trace"));
  EXPECT_EQ(run.status, 3);
  EXPECT_TRUE(run.err.endsWith(QStringLiteral("Communication failed!\n")));
  EXPECT_EQ(run.err.count(QStringLiteral("> 50 52 4F 47 52 41 4D")), 3);
}

TEST_F(Cli, ThreeBandEntryForARadioWithoutItIsRefusedAndNothingIsWritten) {
  ASSERT_TRUE(radio.Start());
  const StationRun run = Station(Args("write --port 1 --set BandIndex=14 --set Seller=never"));
  EXPECT_EQ(run.status, 5);
  EXPECT_EQ(run.err, QStringLiteral("write error\n"));
  EXPECT_FALSE(radio.ReadImage().has_value());  // the radio saved no write
}

TEST_F(Cli, BadArgumentsAreNamed) {
  ASSERT_TRUE(radio.Start());
  for (const char* arguments : {"read", "read --port COMX", "write --port 1 --set Color=red",
                                "write --port 1 --band-change maybe", "read --port 1 --package B", "fly"}) {
    const StationRun run = Station(Args(arguments));
    EXPECT_EQ(run.status, 1) << arguments;
    EXPECT_TRUE(run.err.startsWith(QStringLiteral("zr93kw-setfactory: "))) << run.err.toStdString();
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
  EXPECT_TRUE(run.err.contains(QStringLiteral("the radio is written"))) << run.err.toStdString();
  EXPECT_TRUE(table.Rows().isEmpty());
}

TEST(WindowFieldNames, SettingAFieldFollowsTheWindowsEntryRules) {
  WindowFields fields;
  cli::SetWindowField(fields, QStringLiteral("MaintainedDescription"), QString(100, QLatin1Char('x')));
  EXPECT_EQ(fields.Text1[TextBox::MaintainedDescription].size(), 80);
  cli::SetWindowField(fields, QStringLiteral("ProgramPassword"), QStringLiteral("123456"));
  EXPECT_EQ(fields.Text1[TextBox::ProgramPassword], QStringLiteral("1234"));
  cli::SetWindowField(fields, QStringLiteral("WorkCountry"), QStringLiteral("2"));
  EXPECT_EQ(fields.WorkCountryPosition, 2);
  for (const auto& [name, value] : std::vector<std::pair<const char*, const char*>>{
           {"AreaCode", "区号"}, {"WorkCountry", "3"}, {"Aprs", "2"}, {"SerialNumber", "X"}, {"RemoteKill", "1"}}) {
    EXPECT_THROW(cli::SetWindowField(fields, QString::fromLatin1(name), QString::fromUtf8(value)), cli::UsageError)
        << name;
  }
}

}  // namespace
}  // namespace zr
