// What the station keeps of a transfer, end to end against the simulated
// radio: the backup before a write, the restore from it, the log entry.
#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QThread>
#include <csignal>
#include <sys/types.h>

#include "station_run.h"
#include "tests/support/showable_block.h"
#include "tools/radio-sim/radio_block.h"

namespace zr {
namespace {

using namespace test;

class Records : public OnRadio {
 protected:
  // Gives the radio a block with bytes in every line, starts it, returns the block.
  FactoryImage StartRadio(const QStringList& options = {}, const QString& serial = QStringLiteral("SN-0000000000001")) {
    FactoryImage block = sim::FreshBlock(QStringLiteral("ZR93KW"), serial);
    for (int i = 0x58; i < 0x60; ++i) block[i] = static_cast<std::uint8_t>(i);  // in no field
    block[0xA0] = 'B';                                                            // the seller
    EXPECT_TRUE(radio.WriteImage(block));
    EXPECT_TRUE(radio.Start(options));
    return block;
  }
  std::vector<QJsonObject> LogEntries() const {
    QFile file(StatePath("station-log.jsonl"));
    std::vector<QJsonObject> entries;
    if (!file.open(QIODevice::ReadOnly)) return entries;
    for (const QByteArray& line : file.readAll().split('\n')) {
      if (!line.isEmpty()) entries.push_back(QJsonDocument::fromJson(line).object());
    }
    return entries;
  }
};

// The write reads the radio first and changes only what is named, in the
// code page of the operator's locale.
TEST_F(Records, AWriteIsBackedUpLoggedReadBackAndCanBePutBackByteForByte) {
  const FactoryImage original = StartRadio({}, QStringLiteral("SN-RESTORE-0001"));
  const Variables chinese{{"LANG", "zh_CN.UTF-8"}};

  const StationRun write = Station(Args("write --port 1 --set Seller=李四 --set Aprs=1"), chinese);
  ASSERT_EQ(write.status, 0) << write.err.toStdString();
  EXPECT_EQ(write.err, QStringLiteral("Write Complete!\n"));
  const StationRun read = Station(Args("read --port 1 --json"), chinese);
  const QJsonObject record = QJsonDocument::fromJson(read.out.toUtf8()).object();
  EXPECT_EQ(record.value(QStringLiteral("Seller")).toString(), QString::fromUtf8("李四"));
  EXPECT_EQ(record.value(QStringLiteral("Aprs")).toInt(), 1);
  EXPECT_EQ(record.value(QStringLiteral("SerialNumber")).toString(), QStringLiteral("SN-RESTORE-0001"));

  const QStringList backups = QDir(StatePath("backups")).entryList(QDir::Files);
  ASSERT_EQ(backups.size(), 1);
  EXPECT_TRUE(backups[0].startsWith(QStringLiteral("SN-RESTORE-0001-")));
  const QString backup = QDir(StatePath("backups")).filePath(backups[0]);

  // One session: the write's entry written ahead, its outcome's, then the read's.
  const std::vector<QJsonObject> entries = LogEntries();
  ASSERT_EQ(entries.size(), 3u);
  const QJsonObject &started = entries[0], &logged = entries[1];
  EXPECT_EQ(started[QStringLiteral("outcome")].toString(), QStringLiteral("write started"));
  EXPECT_EQ(started[QStringLiteral("backup")].toString(), backup);
  EXPECT_EQ(logged[QStringLiteral("writeId")], started[QStringLiteral("writeId")]);
  EXPECT_EQ(logged[QStringLiteral("operation")].toString(), QStringLiteral("write"));
  EXPECT_EQ(logged[QStringLiteral("outcome")].toString(), QStringLiteral("write complete"));
  EXPECT_EQ(logged[QStringLiteral("backup")].toString(), backup);
  EXPECT_EQ(logged[QStringLiteral("frames")].toInt(), 32);
  // Only the named fields' bytes changed.
  FactoryImage expected = original;
  expected[0x07] = 1;
  for (const auto& [at, byte] : {std::pair(0xA0, 0xC0), std::pair(0xA1, 0xEE), std::pair(0xA2, 0xCB), std::pair(0xA3, 0xC4)}) {
    expected[at] = static_cast<std::uint8_t>(byte);
  }
  EXPECT_EQ(radio.ReadImage().value(), expected);

  const StationRun restore = Station({"write", "--port", "1", "--image", backup});
  ASSERT_EQ(restore.status, 0) << restore.err.toStdString();
  EXPECT_EQ(radio.ReadImage().value(), original);
  EXPECT_EQ(LogEntries().back()[QStringLiteral("operation")].toString(), QStringLiteral("image write"));
}

// undo puts back the block from before the radio's last write; being logged
// and backed up like any write, a second undo puts back what the first replaced.
TEST_F(Records, UndoPutsBackTheBlockFromBeforeTheRadiosLastWrite) {
  const FactoryImage original = StartRadio();
  const StationRun nothing = Station(Args("undo --port 1"));
  EXPECT_EQ(nothing.status, 1);
  EXPECT_TRUE(nothing.err.contains(QStringLiteral("no station log"))) << nothing.err.toStdString();
  ASSERT_EQ(Station(Args("write --port 1 --set Seller=Undone")).status, 0);
  const FactoryImage written = radio.ReadImage().value();

  const StationRun undo = Station(Args("undo --port 1"));
  ASSERT_EQ(undo.status, 0) << undo.err.toStdString();
  EXPECT_EQ(radio.ReadImage().value(), original);
  EXPECT_EQ(LogEntries().back()[QStringLiteral("operation")].toString(), QStringLiteral("undo"));
  ASSERT_EQ(Station(Args("undo --port 1")).status, 0);
  EXPECT_EQ(radio.ReadImage().value(), written);

  // Another radio on the port has no write of its own in the log: nothing is written to it.
  radio.Stop();
  const FactoryImage other = StartRadio({}, QStringLiteral("SN-OTHER-000001"));
  const StationRun refused = Station(Args("undo --port 1"));
  EXPECT_EQ(refused.status, 1);
  EXPECT_TRUE(refused.err.contains(QStringLiteral("no write of radio \"SN-OTHER-000001\""))) << refused.err.toStdString();
  EXPECT_EQ(radio.ReadImage().value(), other);
}

// A write that changes nothing gives the radio back every byte it held, in
// whichever code page the station runs.
TEST_F(Records, AWriteThatChangesNothingLeavesTheBlockAsItWas) {
  for (const char* locale : {"en_US.UTF-8", "zh_CN.UTF-8", "zh_TW.UTF-8", "ja_JP.UTF-8"}) {
    for (unsigned seed = 1; seed <= 2; ++seed) {
      radio.Stop();
      const FactoryImage block = test::ShowableBlock(seed);
      ASSERT_TRUE(radio.WriteImage(block));
      ASSERT_TRUE(radio.Start());
      const StationRun run = Station(Args("write --port 1"), {{"LANG", locale}});
      EXPECT_EQ(run.status, 0) << locale << " " << seed << ": " << run.err.toStdString();
      EXPECT_EQ(radio.ReadImage().value(), block) << locale << " " << seed;
    }
  }
}

// The log is written before the radio is: a station killed between two write
// frames has left a whole entry naming the write and its backup.
TEST_F(Records, AWriteKilledHalfWayLeftItsStartedEntryNamingTheBackup) {
  StartRadio({QStringLiteral("--delay-ms"), QStringLiteral("30")});
  QProcess station;
  station.setProcessEnvironment(StationEnvironment(Environment()));
  station.start(QStringLiteral(ZR_STATION_PATH), Args("write --port 1 --set Seller=K"));
  QDeadlineTimer deadline(20000);
  while (!radio.Trace().contains(QStringLiteral("> 57 02 FA 00 20 10")) && !deadline.hasExpired()) QThread::usleep(500);
  ::kill(static_cast<pid_t>(station.processId()), SIGKILL);
  station.waitForFinished(5000);

  const std::vector<QJsonObject> entries = LogEntries();
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0][QStringLiteral("outcome")].toString(), QStringLiteral("write started"));
  EXPECT_EQ(entries[0][QStringLiteral("serial")].toString(), QStringLiteral("SN-0000000000001"));
  EXPECT_TRUE(QFile::exists(entries[0][QStringLiteral("backup")].toString()));
  // `log` shows it as the write that never ended, by its backup's name.
  const QString table = Station(Args("log")).out;
  EXPECT_TRUE(table.contains(QStringLiteral("interrupted, no outcome"))) << table.toStdString();
  EXPECT_TRUE(table.contains(QFileInfo(entries[0][QStringLiteral("backup")].toString()).fileName())) << table.toStdString();
}

}  // namespace
}  // namespace zr
