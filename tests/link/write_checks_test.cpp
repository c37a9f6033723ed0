// What a write does besides writing: the backup before it, the read-back after
// it, a block file put back; and what its outcome tells the station log.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <optional>

#include "link/radio_link.h"
#include "platform/settings_file.h"
#include "record/factory_fields.h"
#include "record/runtime_error.h"
#include "recording_host.h"
#include "scripted_device.h"

namespace zr {
namespace {

using testing::MemoryRadio;
using testing::RecordingHost;
using testing::ScriptedDevice;

// "PROGRAM", "END", "R30", "W20".
QString Describe(const Bytes& frame) {
  if (frame == BuildProgram()) return QStringLiteral("PROGRAM");
  if (frame == BuildEnd()) return QStringLiteral("END");
  const auto line = QStringLiteral("%1").arg(FrameAddress(frame) - FactoryBase, 2, 16, QLatin1Char('0')).toUpper();
  return (frame[0] == 'R' ? QStringLiteral("R") : QStringLiteral("W")) + line;
}

QStringList Frames(const char* prefix, std::initializer_list<int> offsets) {
  QStringList frames;
  for (int offset : offsets) {
    frames << QString::fromLatin1(prefix) + QStringLiteral("%1").arg(offset, 2, 16, QLatin1Char('0')).toUpper();
  }
  return frames;
}

const std::initializer_list<int> WrittenLines = {0x00, 0x20, 0x40, 0x50, 0x60, 0x70, 0x80,
                                                 0x90, 0xA0, 0xB0, 0xC0, 0xD0, 0xE0, 0xF0};
const QStringList ModelCheckReads = QStringList{QStringLiteral("PROGRAM")} + Frames("R", {0x00, 0x10, 0x20, 0x50, 0x30});
const QStringList BackupReads =
    Frames("R", {0x40, 0x60, 0x70, 0x80, 0x90, 0xA0, 0xB0, 0xC0, 0xD0, 0xE0, 0xF0});
const QStringList Writes = Frames("W", WrittenLines);
const QStringList End = {QStringLiteral("END")};
const int SellerOffset = FieldOf(Field::Seller).offset;
const int SellerLine = SellerOffset / FactoryLineSize * FactoryLineSize;

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

class WriteChecks : public ::testing::Test {
 protected:
  WriteChecks() {
    for (int i = 0x58; i < 0x60; ++i) radio.block[i] = static_cast<std::uint8_t>(0xC0 + i);  // in no field
    const QByteArray model("ZR93KW\0", 7);
    const QByteArray serial("SN00000000000042");
    for (int i = 0; i < model.size(); ++i) radio.block[0x10 + i] = static_cast<std::uint8_t>(model[i]);
    for (int i = 0; i < serial.size(); ++i) radio.block[0x30 + i] = static_cast<std::uint8_t>(serial[i]);
    radio.block[SellerOffset] = 'B';
    original = radio.block;
    state.UiLanguage = lang::UiLanguage::English;
    state.CurrentComPort = 3;
    backup.sentSoFar = [this] { return Sent(); };
  }

  TransferOutcome Run(const std::function<bool()>& start) {
    EXPECT_TRUE(start());
    while (link.Busy()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
    return link.Outcome().value();
  }
  TransferOutcome Read() { return Run([this] { return link.StartRead(); }); }
  TransferOutcome Write() { return Run([this] { return link.StartWrite(); }); }

  QStringList Sent() const {
    QStringList sent;
    for (const Bytes& frame : device.written) sent << Describe(frame);
    return sent;
  }

  // Acknowledges writes of this line without keeping them.
  std::optional<int> droppedLine;

  StationState state;
  RecordingHost host{state};
  MemoryRadio radio;
  FactoryImage original;
  MemoryBackup backup;
  ScriptedDevice device{[this](const Bytes& frame) -> std::vector<Bytes> {
    if (droppedLine && IsDataReply(frame) && FrameAddress(frame) == FactoryBase + static_cast<quint32>(*droppedLine)) {
      return {{AckByte}};
    }
    return radio.Answer(frame);
  }};
  QTemporaryDir dir;
  platform::SettingsFile settings{dir.filePath(QStringLiteral("mysetup.ini")), platform::AnsiCodePage("windows-1252")};
  platform::AnsiCodePage codePage{"windows-1252"};
  RadioLink link{state, host, device, settings, codePage, host};
};

TEST_F(WriteChecks, BackupReadsTheRestOfTheBlockAndSavesItBeforeTheFirstWrite) {
  link.SetWriteChecks(&backup, false);
  ASSERT_EQ(Read().end, TransferEnd::ReadComplete);
  device.written.clear();
  host.form.seller = QStringLiteral("Ann");

  const TransferOutcome outcome = Write();

  EXPECT_EQ(outcome.end, TransferEnd::WriteComplete);
  EXPECT_EQ(Sent(), ModelCheckReads + BackupReads + Writes + End);
  ASSERT_EQ(backup.saved.size(), 1u);
  EXPECT_EQ(backup.saved[0], original);
  EXPECT_EQ(backup.framesBeforeSave, ModelCheckReads + BackupReads);
  EXPECT_EQ(outcome.backupPath, QStringLiteral("/backups/SN42.bin"));
  EXPECT_TRUE(outcome.blockAsRead.Whole());
  EXPECT_EQ(outcome.kind, TransferKind::Write);
  EXPECT_EQ(outcome.frames, 32);
  EXPECT_EQ(outcome.resends, 0);
  // The log's changes are exactly the bytes that differ on the radio now.
  std::vector<ByteChange> expected;
  for (int offset = 0; offset < FactoryImageSize; ++offset) {
    if (original[offset] != radio.block[offset]) expected.push_back({offset, original[offset], radio.block[offset]});
  }
  EXPECT_FALSE(expected.empty());
  EXPECT_EQ(ChangedBytes(outcome), expected);
  EXPECT_TRUE(LinesWrittenUnread(outcome).empty());
}

TEST_F(WriteChecks, WithoutBackupTheWriteKeepsItsShortOrderAndSaysWhichOldBytesItNeverSaw) {
  ASSERT_EQ(Read().end, TransferEnd::ReadComplete);
  device.written.clear();
  const TransferOutcome outcome = Write();
  EXPECT_EQ(Sent(), ModelCheckReads + Writes + End);
  EXPECT_TRUE(outcome.backupPath.isEmpty());
  EXPECT_EQ(LinesWrittenUnread(outcome), (std::vector<int>{0x40, 0x60, 0x70, 0x80, 0x90, 0xA0, 0xB0, 0xC0, 0xD0,
                                                            0xE0, 0xF0}));
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

TEST_F(WriteChecks, VerifyReadsTheWrittenLinesBackBeforeEnd) {
  link.SetWriteChecks(nullptr, true);
  const TransferOutcome outcome = Write();
  EXPECT_EQ(outcome.end, TransferEnd::WriteComplete);
  EXPECT_EQ(Sent(), ModelCheckReads + Writes + Frames("R", WrittenLines) + End);
  EXPECT_TRUE(outcome.linesMismatched.empty());
}

TEST_F(WriteChecks, VerifyNamesTheLinesTheRadioAcknowledgedButDidNotKeep) {
  link.SetWriteChecks(&backup, true);
  host.form.seller = QStringLiteral("Ann");  // the seller's line changes, so a dropped write shows
  droppedLine = SellerLine;

  const TransferOutcome outcome = Write();

  EXPECT_EQ(outcome.end, TransferEnd::VerifyFailed);
  EXPECT_EQ(outcome.linesMismatched, std::vector<int>{SellerLine});
  EXPECT_TRUE(outcome.cause.contains(DescribeLines({SellerLine})));
  EXPECT_EQ(Sent().last(), QStringLiteral("END"));
  EXPECT_EQ(host.Texts().last(), QStringLiteral("Communication failed!"));
  // No package is recorded for a radio that does not hold what was written.
  EXPECT_EQ(host.advances, 0);
  EXPECT_EQ(radio.block[SellerOffset], 'B');
}

TEST_F(WriteChecks, ABlockFileIsWrittenAsItIsExceptTheModelAndSerialLines) {
  FactoryImage file = original;
  for (int i = 0; i < FactoryImageSize; ++i) {
    if (i / 16 != 1 && i / 16 != 3) file[i] = static_cast<std::uint8_t>(0xFF - i);
  }
  file[0x10] = 'X';  // never written
  link.SetWriteChecks(&backup, false);

  const TransferOutcome outcome = Run([&] { return link.StartImageWrite(file, false); });

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

  const TransferOutcome refused = Run([&] { return link.StartImageWrite(file, false); });
  EXPECT_EQ(refused.end, TransferEnd::ImageRefused);
  EXPECT_TRUE(refused.cause.contains(QStringLiteral("SN00000000000047")));
  EXPECT_EQ(Sent(), ModelCheckReads + End);
  EXPECT_EQ(radio.block, original);

  const TransferOutcome allowed = Run([&] { return link.StartImageWrite(file, true); });
  EXPECT_EQ(allowed.end, TransferEnd::WriteComplete);
  EXPECT_EQ(radio.block[0x80], 0x99);
  EXPECT_EQ(radio.block[0x3F], original[0x3F]);  // the serial line is never written
}

TEST_F(WriteChecks, AReadCountsItsFramesAndResends) {
  bool missed = false;
  device = ScriptedDevice([&](const Bytes& frame) -> std::vector<Bytes> {
    if (!missed && frame.size() == 6 && frame[0] == 'R' && FrameAddress(frame) == FactoryBase + 0x70) {
      missed = true;
      return {};
    }
    return radio.Answer(frame);
  });
  const TransferOutcome outcome = Read();
  EXPECT_EQ(outcome.end, TransferEnd::ReadComplete);
  EXPECT_EQ(outcome.frames, 18);
  EXPECT_EQ(outcome.resends, 1);
  EXPECT_EQ(outcome.blockAsRead.bytes, original);
  EXPECT_FALSE(outcome.blockSent.has_value());
}

}  // namespace
}  // namespace zr
