// What a write does besides writing: the backup before it, the read-back after
// it, a block file put back; and what its outcome tells the station log.
#include "record/factory_fields.h"
#include "record/runtime_error.h"
#include "transfer_fixture.h"

namespace zr {
namespace {

using namespace testing;

const QStringList BackupReads = Frames("R40 R60 R70 R80 R90 RA0 RB0 RC0 RD0 RE0 RF0");
const int SellerLine = FieldOf(Field::Seller).offset / FactoryLineSize * FactoryLineSize;

// A backup folder in memory; it can be made to fail.
struct MemoryBackup : BlockBackup {
  QString Save(const FactoryImage& block) override {
    if (!failure.isEmpty()) throw RuntimeError(failure.toStdString());
    saved.push_back(block);
    framesBeforeSave = sentSoFar();
    return QStringLiteral("/backups/SN42.bin");
  }
  std::vector<FactoryImage> saved;
  QString failure;
  std::function<QStringList()> sentSoFar;
  QStringList framesBeforeSave;
};

class WriteChecks : public Transfer {
 protected:
  WriteChecks() { backup.sentSoFar = [this] { return Sent(); }; }

  TransferOutcome Write(const std::function<bool()>& start) {
    EXPECT_TRUE(Run(start));
    return Outcome();
  }
  TransferOutcome Write() { return Write([this] { return link.StartWrite(); }); }

  MemoryBackup backup;
};

TEST_F(WriteChecks, BackupReadsTheRestOfTheBlockAndSavesItBeforeTheFirstWrite) {
  link.SetWriteChecks(&backup, false);
  host.form.seller = QStringLiteral("Ann");

  const TransferOutcome outcome = Write();

  EXPECT_EQ(outcome.end, TransferEnd::WriteComplete);
  EXPECT_EQ(Sent(), ModelCheckReads + BackupReads + Writes + End);
  ASSERT_EQ(backup.saved.size(), 1u);
  EXPECT_EQ(backup.saved[0], original);
  EXPECT_EQ(backup.framesBeforeSave, ModelCheckReads + BackupReads);
  EXPECT_EQ(outcome.backupPath, QStringLiteral("/backups/SN42.bin"));
  EXPECT_EQ(outcome.kind, TransferKind::Write);
  EXPECT_EQ(outcome.frames, 32);
  // The log's changes are exactly the bytes that differ on the radio now.
  std::vector<ByteChange> expected;
  for (int offset = 0; offset < FactoryImageSize; ++offset) {
    if (original[offset] != radio.block[offset]) expected.push_back({offset, original[offset], radio.block[offset]});
  }
  EXPECT_FALSE(expected.empty());
  EXPECT_EQ(ChangedBytes(outcome), expected);
  EXPECT_TRUE(LinesWrittenUnread(outcome).empty());
}

TEST_F(WriteChecks, ABackupThatCannotBeSavedWritesNothingAndLeavesProgrammingMode) {
  link.SetWriteChecks(&backup, false);
  backup.failure = QStringLiteral("cannot save the backup /ro/x.bin: Read-only file system");

  const TransferOutcome outcome = Write();

  EXPECT_EQ(outcome.end, TransferEnd::BackupFailed);
  EXPECT_EQ(outcome.cause, backup.failure);
  EXPECT_TRUE(outcome.linesWritten.empty());
  EXPECT_EQ(Sent(), ModelCheckReads + BackupReads + End);
  EXPECT_EQ(radio.block, original);
  EXPECT_EQ(host.Texts().last(), QStringLiteral("Cannot Open Communication Port."));
  EXPECT_FALSE(device.IsOpen());
}

TEST_F(WriteChecks, VerifyReadsTheWrittenLinesBackAndNamesThoseTheRadioDidNotKeep) {
  link.SetWriteChecks(nullptr, true);
  host.form.seller = QStringLiteral("Ann");  // the seller's line changes, so a dropped write shows
  fault = [](const Bytes& frame) -> std::optional<std::vector<Bytes>> {
    if (IsDataReply(frame) && FrameAddress(frame) == FactoryBase + SellerLine) return std::vector<Bytes>{{AckByte}};
    return std::nullopt;
  };
  TransferOutcome outcome = Write();
  EXPECT_EQ(outcome.end, TransferEnd::VerifyFailed);
  EXPECT_EQ(outcome.linesMismatched, std::vector<int>{SellerLine});
  EXPECT_TRUE(outcome.cause.contains(DescribeLines({SellerLine})));
  EXPECT_EQ(Sent().last(), QStringLiteral("END"));
  EXPECT_EQ(host.Texts().last(), QStringLiteral("Communication failed!"));
  // No package is recorded for a radio that does not hold what was written.
  EXPECT_EQ(host.advances, 0);
  EXPECT_EQ(radio.block[SellerLine], 'B');

  fault = nullptr;
  outcome = Write();
  EXPECT_EQ(outcome.end, TransferEnd::WriteComplete);
  EXPECT_EQ(Sent(), ModelCheckReads + Writes + Frames("R00 R20 R40 R50 R60 R70 R80 R90 RA0 RB0 RC0 RD0 RE0 RF0") + End);
  EXPECT_TRUE(outcome.linesMismatched.empty());
}

TEST_F(WriteChecks, ABlockFileIsWrittenAsItIsExceptTheModelAndSerialLines) {
  FactoryImage file = original;
  for (int i = 0; i < FactoryImageSize; ++i) {
    if (i / 16 != 1 && i / 16 != 3) file[i] = static_cast<std::uint8_t>(0xFF - i);
  }
  file[0x10] = 'X';  // never written
  link.SetWriteChecks(&backup, false);

  const TransferOutcome outcome = Write([&] { return link.StartImageWrite(file, false); });

  EXPECT_EQ(outcome.end, TransferEnd::WriteComplete);
  EXPECT_EQ(outcome.kind, TransferKind::ImageWrite);
  EXPECT_EQ(Sent(), ModelCheckReads + BackupReads + Writes + End);
  EXPECT_EQ(host.takes, 0);  // the window's values play no part
  FactoryImage expected = file;
  for (int i = 0x10; i < 0x20; ++i) expected[i] = original[i];
  EXPECT_EQ(radio.block, expected);
  EXPECT_EQ(backup.saved.at(0), original);
}

TEST_F(WriteChecks, AnotherRadiosBlockFileIsRefusedUnlessAllowed) {
  FactoryImage file = original;
  file[0x3F] = '7';  // SN00000000000047
  file[0x80] = 0x99;

  const TransferOutcome refused = Write([&] { return link.StartImageWrite(file, false); });
  EXPECT_EQ(refused.end, TransferEnd::ImageRefused);
  EXPECT_TRUE(refused.cause.contains(QStringLiteral("SN00000000000047")));
  EXPECT_EQ(Sent(), ModelCheckReads + End);
  EXPECT_EQ(radio.block, original);

  const TransferOutcome allowed = Write([&] { return link.StartImageWrite(file, true); });
  EXPECT_EQ(allowed.end, TransferEnd::WriteComplete);
  EXPECT_EQ(radio.block[0x80], 0x99);
  EXPECT_EQ(radio.block[0x3F], original[0x3F]);  // the serial line is never written
}

TEST_F(WriteChecks, AReadCountsItsFramesAndResendsAndKeepsWhatItRead) {
  fault = Intercept("R70", 1, [](Bytes) { return std::vector<Bytes>{}; });
  ASSERT_TRUE(Run(OperationModes::Read));
  EXPECT_EQ(Outcome().end, TransferEnd::ReadComplete);
  EXPECT_EQ(Outcome().frames, 18);
  EXPECT_EQ(Outcome().resends, 1);
  EXPECT_EQ(Outcome().blockAsRead.bytes, original);
  EXPECT_TRUE(Outcome().blockAsRead.Whole());
  EXPECT_FALSE(Outcome().blockSent.has_value());
}

}  // namespace
}  // namespace zr
