#pragma once

#include <QtGlobal>
#include <optional>

#include "link/block_backup.h"
#include "link/package_associations.h"
#include "link/transfer_engine.h"
#include "platform/ansi_code_page.h"

namespace zr {

// The order of frames that reads the whole factory block from a radio and
// writes it back, the model check, and the three ends of a transfer.
//
// Read:  "PROGRAM"; lines 0x00, 0x10 (model check), 0x20 ... 0xF0; "END".
// Write: "PROGRAM"; lines 0x00, 0x10, 0x20, 0x50, 0x30 (model check); window
//        to record to image; 14 writes 0x00, 0x20, 0x40 ... 0xF0; "END".
// A write reads line 0x50 too, so that the bytes 0x58-0x5F no field covers go
// back to this radio as it holds them, not as another radio left them.
// A stop asked for mid-transfer sends "END" at the next frame boundary.
class ReadWriteSequences : public TransferSteps {
 public:
  ReadWriteSequences(StationState& state, TransferEngine& engine, RadioPort& port, TransferHost& host,
                     const platform::AnsiCodePage& codePage, PackageAssociations& associations);

  // What a write does besides writing: save the radio's block first (null:
  // no backup, the shorter write), read the written lines back.
  void SetWriteChecks(BlockBackup* backup, bool verify);
  // The next write takes its lines from `image` instead of the window; one
  // that is another radio's is refused unless `otherRadio`. Cleared: the window.
  void SetImageToWrite(std::optional<FactoryImage> image, bool otherRadio);

  void NextStep() override;
  void StoreDataReply(std::span<const std::uint8_t> reply) override;
  TransferEnd EndForError() const override;
  int PlannedFrames() const override;

  void SendProgram();
  void SendRead(quint32 address, qint16 length);
  void SendReadNext();
  void SendWriteNext();
  void SendEnd();
  void FinishBlocks();
  bool CheckModel() const;
  void ReadComplete();
  void WriteComplete();
  void ModelError();

 private:
  void NextReadStep();
  void NextWriteStep();
  void SendNextBackupRead();
  void StartWritingLines();
  // Takes the block to write from the window or the block file; false when refused.
  bool TakeBlockToWrite();
  bool SaveBackup();
  void SendNextVerifyRead();
  void EndAfter(CommSteps step, const QString& cause);
  void FinishAfterFailure();
  void WriteRefused();
  void AssociatePackage();
  // Whether a stop may still send "END" (no "END" is on its way yet).
  bool IsMidTransfer() const;
  void Stopped();

  StationState& state_;
  TransferEngine& engine_;
  RadioPort& port_;
  TransferHost& host_;
  const platform::AnsiCodePage& codePage_;
  PackageAssociations& associations_;
  bool associating_ = false;  // the database is being asked
  BlockBackup* backup_ = nullptr;
  bool verify_ = false;
  std::optional<FactoryImage> imageToWrite_;
  bool otherRadio_ = false;
  int lineRequested_ = 0;    // the backup or verify read on its way
  std::size_t verified_ = 0;  // written lines read back so far
  QString failure_;          // why the write stopped short before "END"
};

}  // namespace zr
