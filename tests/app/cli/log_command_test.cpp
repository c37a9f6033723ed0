// `log`, run as an operator runs it: the executable on a station log written
// the way the station writes it.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include "app/station/log_entry.h"
#include "app/station/station_log.h"
#include "record/field_conversions.h"

namespace zr {
namespace {

const platform::AnsiCodePage Western("windows-1252");

struct StationRun {
  int status;
  QStringList out;  // lines
  QString err;
};

// One transfer of radio `serial` ended at `time` (UTC); a write changes `changes` (offset, new byte).
QJsonObject Transfer(TransferKind kind, const char* serial, const char* time,
                     std::optional<QString> package = std::nullopt,
                     std::initializer_list<std::pair<int, std::uint8_t>> changes = {}) {
  TransferOutcome outcome;
  outcome.kind = kind;
  outcome.end = kind == TransferKind::Read ? TransferEnd::ReadComplete : TransferEnd::WriteComplete;
  FactoryImage radio;
  FieldWriter(radio, Western).PutText(0x30, QString::fromLatin1(serial), 16);
  FactoryImage sent = radio;
  for (int line = 0; line < FactoryImageSize; line += FactoryLineSize) {
    outcome.blockAsRead.Store(line, radio.Line(line));
    if (kind != TransferKind::Read && line != 0x10 && line != 0x30) outcome.linesWritten.push_back(line);
  }
  for (const auto& [offset, value] : changes) sent[offset] = value;
  if (kind != TransferKind::Read) outcome.blockSent = sent;
  station::LogContext context;
  context.comPort = 3;
  context.device = QStringLiteral("/dev/ttyUSB0");
  context.packageCode = std::move(package);
  context.ended = QDateTime::fromString(QString::fromLatin1(time), Qt::ISODate);
  return station::LogEntry(outcome, context, Western);
}

class LogCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    const station::StationLog log(logPath);
    for (const QJsonObject& entry : {
             Transfer(TransferKind::Read, "SN-A", "2026-12-01T08:00:00Z"),
             // Seller twice, the band, a byte of no field and the dealer code, given out of order.
             Transfer(TransferKind::Write, "SN-A", "2026-12-05T09:30:00Z", QStringLiteral("BOX-7"),
                      {{0xA1, 'i'}, {0x70, 'D'}, {0xA0, 'L'}, {0x03, 14}, {0x58, 0x01}}),
             Transfer(TransferKind::Write, "SN-B", "2026-12-06T10:00:00Z"),
         }) {
      ASSERT_EQ(log.Append(entry), QString());
    }
    QFile file(logPath);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    stored = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    file.close();
    // A station that died while writing its fourth line.
    ASSERT_TRUE(file.open(QIODevice::Append) && file.write("{\"time\":\"2026-12-07") > 0);
  }

  StationRun Station(const QStringList& arguments) {
    QProcess station;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("TZ"), QStringLiteral("UTC"));
    environment.insert(QStringLiteral("XDG_STATE_HOME"), state.path());
    station.setProcessEnvironment(environment);
    station.start(QStringLiteral(ZR_STATION_PATH), QStringList{QStringLiteral("log")} + arguments);
    EXPECT_TRUE(station.waitForFinished(20000));
    return {station.exitCode(),
            QString::fromUtf8(station.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts),
            QString::fromUtf8(station.readAllStandardError())};
  }

  QTemporaryDir state;
  const QString logPath = state.filePath(QStringLiteral("zr93kw-setfactory/station-log.jsonl"));
  QStringList stored;  // the log's lines
};

TEST_F(LogCommand, TableShowsEachTransferWithTheFieldsItsWriteChanged) {
  const StationRun run = Station({});  // the default log under XDG_STATE_HOME
  EXPECT_EQ(run.status, 0) << run.err.toStdString();
  EXPECT_EQ(
      run.out,
      (QStringList{
          "time                 port  operation  outcome         serial  package  changed fields",
          "2026-12-01 08:00:00  COM3  read       read complete   SN-A    -        -",
          "2026-12-05 09:30:00  COM3  write      write complete  SN-A    BOX-7    BandIndex, 0x58, DealerCode, Seller",
          "2026-12-06 10:00:00  COM3  write      write complete  SN-B    -        -",
      }));
  EXPECT_EQ(run.err, QStringLiteral("zr93kw-setfactory: %1: line 4 holds no log entry; skipped\n").arg(logPath));
}

TEST_F(LogCommand, SerialAndSinceKeepTheirEntriesAsStored) {
  const struct {
    QStringList arguments;
    QStringList kept;
  } cases[] = {
      {{"--serial", "SN-A"}, {stored[0], stored[1]}},
      {{"--since", "2026-12-05"}, {stored[1], stored[2]}},
      {{"--since", "2026-12-05T10:30:00+01:00"}, {stored[1], stored[2]}},  // 09:30 UTC: at, not only after
      {{"--since", "2026-12-05T09:30:00.001Z", "--serial", "SN-A"}, {}},
      {{"--serial", "SN-C"}, {}},
  };
  for (const auto& test : cases) {
    const StationRun run =
        Station(test.arguments + QStringList{QStringLiteral("--json"), QStringLiteral("--log"), logPath});
    EXPECT_EQ(run.status, 0) << test.arguments.join(' ').toStdString();
    EXPECT_EQ(run.out, test.kept) << test.arguments.join(' ').toStdString();
  }
}

TEST_F(LogCommand, BadArgumentsAndUnreadableLogsExitOneAMissingLogZero) {
  const struct {
    QStringList arguments;
    int status;
    QString err;
  } cases[] = {
      {{"--since", "yesterday"}, 1, "zr93kw-setfactory: --since takes a date such as 2026-12-06"},
      {{"--since", "2026-12-32"}, 1, "zr93kw-setfactory: --since takes"},
      {{"--serial", "SN-A", "--serial", "SN-B"}, 1, "zr93kw-setfactory: --serial is given more than once"},
      {{"--log", state.path()},
       1,
       QStringLiteral("zr93kw-setfactory: cannot read the station log %1: not a regular file").arg(state.path())},
      {{"--log", state.filePath("none.jsonl")},
       0,
       QStringLiteral("zr93kw-setfactory: no station log at %1 yet\n").arg(state.filePath("none.jsonl"))},
  };
  for (const auto& test : cases) {
    const StationRun run = Station(test.arguments);
    EXPECT_EQ(run.status, test.status) << test.arguments.join(' ').toStdString();
    EXPECT_TRUE(run.err.startsWith(test.err)) << run.err.toStdString();
    EXPECT_TRUE(run.out.isEmpty());
  }
}

}  // namespace
}  // namespace zr
