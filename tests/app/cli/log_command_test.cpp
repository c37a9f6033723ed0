// `log`, run as an operator runs it, on a log written the way the station writes it.
#include "record/field_conversions.h"
#include "station/log_entry.h"
#include "station/station_log.h"
#include "station_run.h"

namespace zr {
namespace {

const platform::AnsiCodePage Western(1252);

// Radio `serial`, every line read, at the end of a write that changes the
// bytes `changes` and writes every line it may; a read without changes.
TransferOutcome RadioOutcome(const char* serial, const std::vector<int>& changes, const QString& backup) {
  TransferOutcome outcome;
  outcome.kind = changes.empty() ? TransferKind::Read : TransferKind::Write;
  outcome.end = changes.empty() ? TransferEnd::ReadComplete : TransferEnd::WriteComplete;
  FieldWriter(outcome.blockAsRead.bytes, Western).PutText(0x30, QString::fromLatin1(serial), 16);
  outcome.blockAsRead.lines.set();
  outcome.blockSent = outcome.blockAsRead.bytes;
  for (int offset : changes) (*outcome.blockSent)[offset] = 0x55;
  for (int line = 0; line < FactoryImageSize; line += FactoryLineSize) outcome.linesWritten.push_back(line);
  outcome.backupPath = backup;
  return outcome;
}

station::LogContext At(const char* time, const char* package = nullptr) {
  station::LogContext context;
  context.comPort = 3;
  if (package) context.packageCode = QString::fromLatin1(package);
  context.ended = QDateTime::fromString(QString::fromLatin1(time), Qt::ISODate);
  return context;
}

QJsonObject Transfer(const char* serial, const char* time, const std::vector<int>& changes = {},
                     const char* package = nullptr, const QString& backup = {}, const char* writeId = "") {
  TransferOutcome outcome = RadioOutcome(serial, changes, backup);
  outcome.writeId = QString::fromLatin1(writeId);
  return station::LogEntry(outcome, At(time, package), Western);
}

// The entry a write appends before its first write frame.
QJsonObject Started(const char* serial, const char* time, const char* writeId, const QString& backup) {
  return station::WriteStartedEntry(RadioOutcome(serial, {0x03}, backup), At(time), {0x00, 0x20},
                                    QString::fromLatin1(writeId), Western);
}

class LogCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    const QString backup = state.filePath("zr93kw-setfactory/backups/SN-A-20261205T092959Z.bin");
    QJsonObject older = Transfer("SN-B", "2026-12-06T10:00:00Z", {0x03});
    older.insert(QStringLiteral("cause"), "the radio's \x1B[2J");
    for (const QJsonObject& entry :
         {Transfer("SN-A", "2026-12-01T08:00:00Z"),
          Started("SN-A", "2026-12-05T09:29:59Z", "w1", backup),
          // Seller twice, the band, a byte of no field, the dealer code, out of order.
          Transfer("SN-A", "2026-12-05T09:30:00Z", {0xA1, 0x70, 0xA0, 0x03, 0x58}, "BOX-7", backup, "w1"),
          older,  // an older station's: no write-ahead entry
          Started("SN-B", "2026-12-06T11:00:00Z", "w2", "/mnt/b/SN-B-20261206T110000Z.bin")}) {
      ASSERT_TRUE(station::StationLog(logPath).Append(entry).Ok());
    }
    QFile file(logPath);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    stored = QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
    ASSERT_TRUE(file.write("{\"time\":\"2026-12-07") > 0);  // a station that died writing its next line
  }

  // Runs `log` with `arguments` on a station east of UTC; standard output by lines.
  std::tuple<int, QStringList, QString> Log(const QStringList& arguments) {
    const test::StationRun run = test::RunStation(QStringList{"log"} + arguments,
                                                  {{"TZ", "Asia/Shanghai"}, {"XDG_STATE_HOME", state.path()}});
    return {run.status, run.out.split('\n', Qt::SkipEmptyParts), run.err};
  }

  QTemporaryDir state;
  const QString logPath = state.filePath("zr93kw-setfactory/station-log.jsonl");
  QStringList stored;  // the log's lines
};

// One row a transfer, in UTC as the backups' names; a write by its outcome,
// or, when it has none, by the entry it made before writing.
TEST_F(LogCommand, ATableOfTransfersNamesTheFieldsEachWriteChangedItsBackupAndCause) {
  const auto [status, out, err] = Log({});  // the station's own log
  EXPECT_EQ(status, 0);
  EXPECT_EQ(out.join('\n') + '\n', QString::fromUtf8(R"(
time                  port  operation  outcome                  serial  package  backup                            changed fields                       cause
2026-12-01 08:00:00Z  COM3  read       read complete            SN-A    -        -                                 -                                    -
2026-12-05 09:30:00Z  COM3  write      write complete           SN-A    BOX-7    SN-A-20261205T092959Z.bin         BandIndex, 0x58, DealerCode, Seller  -
2026-12-06 10:00:00Z  COM3  write      write complete           SN-B    -        -                                 BandIndex                            the radio's \x1B[2J
2026-12-06 11:00:00Z  COM3  write      interrupted, no outcome  SN-B    -        /mnt/b/SN-B-20261206T110000Z.bin  -                                    the station stopped mid-write; lines to write: 0x00 0x20
)").mid(1));
  EXPECT_EQ(err, "zr93kw-setfactory: " + logPath + ": line 6 holds no log entry; skipped\n");

  // A filter keeps one row for a write, whichever of its entries it sees.
  const auto [filteredStatus, radioA, filteredErr] = Log({"--serial", "SN-A"});
  ASSERT_EQ(radioA.size(), 3);
  EXPECT_TRUE(radioA[2].contains("write complete  SN-A")) << radioA[2].toStdString();
}

TEST_F(LogCommand, SerialAndSinceKeepEntriesAsStoredWhileBadOptionsAndUnreadableLogsExitOne) {
  const std::tuple<QStringList, int, QStringList> cases[] = {
      {{"--serial", "SN-A"}, 0, {stored[0], stored[1], stored[2]}},  // a write's both entries
      {{"--since", "2026-12-05"}, 0, {stored[1], stored[2], stored[3], stored[4]}},
      {{"--since", "2026-12-05T10:30:00+01:00", "--serial", "SN-A"}, 0, {stored[2]}},  // at counts
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
