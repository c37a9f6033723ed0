// `log`, run as an operator runs it, on a log written the way the station writes it.
#include <gtest/gtest.h>

#include <QFile>

#include "app/station/log_entry.h"
#include "app/station/station_log.h"
#include "record/field_conversions.h"
#include "station_run.h"

namespace zr {
namespace {

// A transfer of radio `serial` (every line read) ended at `time`; a write
// changes the bytes `changes` and writes every line it may.
QJsonObject Transfer(const char* serial, const char* time, std::vector<int> changes = {},
                     const char* package = nullptr) {
  const platform::AnsiCodePage western(1252);
  TransferOutcome outcome;
  outcome.kind = changes.empty() ? TransferKind::Read : TransferKind::Write;
  outcome.end = changes.empty() ? TransferEnd::ReadComplete : TransferEnd::WriteComplete;
  FieldWriter(outcome.blockAsRead.bytes, western).PutText(0x30, QString::fromLatin1(serial), 16);
  outcome.blockAsRead.lines.set();
  outcome.blockSent = outcome.blockAsRead.bytes;
  for (int offset : changes) (*outcome.blockSent)[offset] = 0x55;
  for (int line = 0; line < FactoryImageSize; line += FactoryLineSize) outcome.linesWritten.push_back(line);
  station::LogContext context;
  context.comPort = 3;
  if (package) context.packageCode = QString::fromLatin1(package);
  context.ended = QDateTime::fromString(QString::fromLatin1(time), Qt::ISODate);
  return station::LogEntry(outcome, context, western);
}

class LogCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const QJsonObject& entry : {Transfer("SN-A", "2026-12-01T08:00:00Z"),
                                     // Seller twice, the band, a byte of no field, the dealer code, out of order.
                                     Transfer("SN-A", "2026-12-05T09:30:00Z", {0xA1, 0x70, 0xA0, 0x03, 0x58}, "BOX-7"),
                                     Transfer("SN-B", "2026-12-06T10:00:00Z", {0x03})}) {
      ASSERT_EQ(station::StationLog(logPath).Append(entry), QString());
    }
    QFile file(logPath);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    stored = QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
    ASSERT_TRUE(file.write("{\"time\":\"2026-12-07") > 0);  // a station that died writing its fourth line
  }

  // Runs `log` with `arguments` on the station's clock at UTC; standard output by lines.
  std::tuple<int, QStringList, QString> Log(const QStringList& arguments) {
    const test::StationRun run = test::RunStation(QStringList{"log"} + arguments,
                                                  {{"TZ", "UTC"}, {"XDG_STATE_HOME", state.path()}});
    return {run.status, run.out.split('\n', Qt::SkipEmptyParts), run.err};
  }

  QTemporaryDir state;
  const QString logPath = state.filePath("zr93kw-setfactory/station-log.jsonl");
  QStringList stored;  // the log's lines
};

TEST_F(LogCommand, ATableOfTransfersNamesTheFieldsEachWriteChanged) {
  const auto [status, out, err] = Log({});  // the station's own log
  EXPECT_EQ(status, 0);
  EXPECT_EQ(
      out,
      QStringList({
          "time                 port  operation  outcome         serial  package  changed fields",
          "2026-12-01 08:00:00  COM3  read       read complete   SN-A    -        -",
          "2026-12-05 09:30:00  COM3  write      write complete  SN-A    BOX-7    BandIndex, 0x58, DealerCode, Seller",
          "2026-12-06 10:00:00  COM3  write      write complete  SN-B    -        BandIndex",
      }));
  EXPECT_EQ(err, "zr93kw-setfactory: " + logPath + ": line 4 holds no log entry; skipped\n");
}

TEST_F(LogCommand, SerialAndSinceKeepEntriesAsStoredWhileBadOptionsAndUnreadableLogsExitOne) {
  const std::tuple<QStringList, int, QStringList> cases[] = {
      {{"--serial", "SN-A"}, 0, {stored[0], stored[1]}},
      {{"--since", "2026-12-05"}, 0, {stored[1], stored[2]}},
      {{"--since", "2026-12-05T10:30:00+01:00", "--serial", "SN-A"}, 0, {stored[1]}},  // at counts
      {{"--since", "2026-12-05T09:30:00.001Z", "--serial", "SN-A"}, 0, {}},
      {{"--since", "yesterday"}, 1, {}},
      {{"--since", "2026-12-05", "--since", "2026-12-06"}, 1, {}},
      {{"--log", state.filePath("none")}, 0, {}},  // no log yet
      {{"--log", state.path()}, 1, {}},            // a folder
  };
  for (const auto& [arguments, expectedStatus, kept] : cases) {
    const auto [status, out, err] = Log(arguments + QStringList{"--json"});
    EXPECT_EQ(status, expectedStatus) << err.toStdString();
    EXPECT_EQ(out, kept) << arguments.join(' ').toStdString();
  }
}

}  // namespace
}  // namespace zr
