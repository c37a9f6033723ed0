// What a write does besides writing: the backup and the journal entry before
// it, the read-back after it, a block file put back; and what its outcome
// tells the station log.
#include "link/block_file_values.h"
#include "record/factory_fields.h"
#include "record/runtime_error.h"
#include "transfer_fixture.h"

namespace zr {
namespace {

using namespace testing;

const QStringList BackupReads = Frames("R40 R60 R70 R80 R90 RA0 RB0 RC0 RD0 RE0 RF0");
const int SellerLine = FieldOf(Field::Seller).offset / FactoryLineSize * FactoryLineSize;

// A backup folder and a station log in memory; either can be made to fail.
struct MemoryRecords : BlockBackup, WriteJournal {
  QString Save(const FactoryImage& block) override {
    if (!failure.isEmpty()) throw RuntimeError(failure.toStdString());
    saved.push_back(block);
    framesBeforeSave = sentSoFar();
    return QStringLiteral("/backups/SN42.bin");
  }
  QString WriteStarting(const TransferOutcome& progress, qint16, const std::vector<int>& lines) override {
    if (!journalFailure.isEmpty()) throw RuntimeError(journalFailure.toStdString());
    framesBeforeJournal = sentSoFar();
    journalBackup = progress.backupPath;
    journalLines = lines;
    return QStringLiteral("w-1");
  }
  std::vector<FactoryImage> saved;
  QString failure;
  QString journalFailure;
  std::function<QStringList()> sentSoFar;
  QStringList framesBeforeSave;
  QStringList framesBeforeJournal;
  QString journalBackup;
  std::vector<int> journalLines;
};

class WriteChecks : public Transfer {
 protected:
  WriteChecks() { backup.sentSoFar = [this] { return Sent(); }; }
  TransferOutcome WriteFile(const FactoryImage& file, bool otherRadio) {
    BlockFileValues values(file, otherRadio, codePage);
    return Write([&] { return link.StartWrite(values); });
  }

  TransferOutcome Write(const std::function<bool()>& start) {
    EXPECT_TRUE(Run(start));
    return Outcome();
  }
  TransferOutcome Write() { return Write([this] { return link.StartWrite(); }); }

  MemoryRecords backup;
};

TEST_F(WriteChecks, BackupAndJournalEntryAreSavedBeforeTheFirstWrite) {
  link.SetWriteChecks(&backup, &backup, false);
  host.form.seller = QStringLiteral("Ann");

  const TransferOutcome outcome = Write();

  EXPECT_EQ(outcome.end, TransferEnd::WriteComplete);
  EXPECT_EQ(Sent(), ModelCheckReads + BackupReads + Writes + End);
  ASSERT_EQ(backup.saved.size(), 1u);
  EXPECT_EQ(backup.saved[0], original);
  EXPECT_EQ(backup.framesBeforeSave, ModelCheckReads + BackupReads);
  EXPECT_EQ(outcome.backupPath, QStringLiteral("/backups/SN42.bin"));
  // The journal names the backup and the lines about to be written; the outcome repeats its id.
  EXPECT_EQ(backup.framesBeforeJournal, ModelCheckReads + BackupReads);
  EXPECT_EQ(backup.journalBackup, outcome.backupPath);
  EXPECT_EQ(backup.journalLines.size(), static_cast<std::size_t>(Writes.size()));
  EXPECT_EQ(outcome.writeId, QStringLiteral("w-1"));
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

TEST_F(WriteChecks, ABackupOrJournalEntryThatCannotBeSavedWritesNothingAndLeavesProgrammingMode) {
  link.SetWriteChecks(&backup, &backup, false);
  for (const auto& [failure, end] : {std::pair(&MemoryRecords::failure, TransferEnd::BackupFailed),
                                     std::pair(&MemoryRecords::journalFailure, TransferEnd::LogFailed)}) {
    backup.failure.clear();
    backup.journalFailure.clear();
    backup.*failure = QStringLiteral("cannot write /ro/x: Read-only file system");

    const TransferOutcome outcome = Write();

    EXPECT_EQ(outcome.end, end);
    EXPECT_EQ(outcome.cause, backup.*failure);
    EXPECT_TRUE(outcome.linesWritten.empty());
    EXPECT_EQ(Sent(), ModelCheckReads + BackupReads + End);
    EXPECT_EQ(radio.block, original);
    EXPECT_EQ(host.Texts().last(), QStringLiteral("Cannot Open Communication Port."));
    EXPECT_FALSE(device.IsOpen());
  }
}

TEST_F(WriteChecks, VerifyReadsTheWrittenLinesBackAndNamesThoseTheRadioDidNotKeep) {
  link.SetWriteChecks(nullptr, nullptr, true);
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

TEST_F(WriteChecks, ABlockFileIsWrittenAsItIsExceptWhatStaysTheRadios) {
  radio.block[0x00] = 1;  // RemoteKill
  radio.block[0x06] = 0x80;  // three-band
  original = radio.block;
  FactoryImage file = original;
  for (int i = 0; i < FactoryImageSize; ++i) {
    if (i / 16 != 1 && i / 16 != 3) file[i] = static_cast<std::uint8_t>(0xFF - i);
  }
  file[0x10] = 'X';  // never written
  link.SetWriteChecks(&backup, nullptr, false);

  const TransferOutcome outcome = WriteFile(file, false);

  EXPECT_EQ(outcome.end, TransferEnd::WriteComplete);
  EXPECT_EQ(outcome.kind, TransferKind::ImageWrite);
  EXPECT_EQ(Sent(), ModelCheckReads + BackupReads + Writes + End);
  EXPECT_EQ(host.takes, 0);  // the window's values play no part
  FactoryImage expected = file;
  for (int i = 0x10; i < 0x20; ++i) expected[i] = original[i];
  // The model and serial lines, RemoteKill, RemoteStun and the three-band bit are the radio's.
  expected[0x00] = original[0x00];
  expected[0x01] = original[0x01];
  expected[0x06] = static_cast<std::uint8_t>((file[0x06] & 0x7F) | 0x80);
  EXPECT_EQ(radio.block, expected);
  EXPECT_EQ(backup.saved.at(0), original);

  // The radio's own backup goes back byte for byte.
  EXPECT_EQ(WriteFile(original, false).end, TransferEnd::WriteComplete);
  EXPECT_EQ(radio.block, original);
}

TEST_F(WriteChecks, AnotherRadiosBlockFileIsRefusedUnlessAllowed) {
  FactoryImage file = original;
  file[0x3F] = '7';  // SN00000000000047
  file[0x80] = 0x99;

  const TransferOutcome refused = WriteFile(file, false);
  EXPECT_EQ(refused.end, TransferEnd::ImageRefused);
  EXPECT_TRUE(refused.cause.contains(QStringLiteral("SN00000000000047")));
  EXPECT_EQ(Sent(), ModelCheckReads + End);
  EXPECT_EQ(radio.block, original);

  const TransferOutcome allowed = WriteFile(file, true);
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
