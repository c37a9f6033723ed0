#pragma once

#include <QtGlobal>
#include <optional>

#include "link/block_backup.h"
#include "link/package_associations.h"
#include "link/transfer_engine.h"
#include "link/write_journal.h"
#include "link/write_source.h"
#include "platform/ansi_code_page.h"

namespace zr {

// The order of frames that reads the whole factory block from a radio and
// writes it back, the model check, and the three ends of a transfer.
//
// Read:  "PROGRAM"; lines 0x00, 0x10 (model check), 0x20 ... 0xF0; "END".
// Write: "PROGRAM"; lines 0x00, 0x10, 0x20, 0x50, 0x30 (model check); with a
//        backup, or for a source that needs the whole block, the lines not
//        read yet; the block to send from the write's source; the backup; the
//        "write started" journal entry; 14 writes 0x00, 0x20, 0x40 ... 0xF0;
//        with verify the 14 lines read back; "END".
// A write reads line 0x50 too, so that the bytes 0x58-0x5F no field covers go
// back to this radio as it holds them, not as another radio left them.
// A stop asked for mid-transfer sends "END" at the next frame boundary.
class ReadWriteSequences : public TransferSteps {
 public:
  ReadWriteSequences(StationState& state, TransferEngine& engine, RadioPort& port, TransferHost& host,
                     const platform::AnsiCodePage& codePage, PackageAssociations& associations);

  // What a write does besides writing: save the radio's block first (null:
  // no backup, the shorter write), write down that it starts (null: no
  // journal), read the written lines back.
  void SetWriteChecks(BlockBackup* backup, WriteJournal* journal, bool verify);
  // Where the next write's block comes from.
  void SetWriteSource(WriteSource& source) { source_ = &source; }

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
  bool ReadsWholeBlock() const;
  void SendNextRemainingRead();
  void StartWritingLines();
  // The steps before the first write frame that may still stop the write;
  // false when one did.
  bool SaveBackup();
  bool WriteJournalEntry();
  void SendNextVerifyRead();
  // Stops the write short: "END", then `end` with `cause`.
  void EndAfterFailure(TransferEnd end, const QString& cause);
  void FinishAfterFailure();
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
  WriteJournal* journal_ = nullptr;
  bool verify_ = false;
  WriteSource* source_ = nullptr;
  int lineRequested_ = 0;    // the remaining or verify read on its way
  std::size_t verified_ = 0;  // written lines read back so far
  WriteRefusal failure_{TransferEnd::RuntimeError, QString()};  // why the write stopped short before "END"
};

}  // namespace zr
