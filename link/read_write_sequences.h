#pragma once

#include <QtGlobal>

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

  void NextStep() override;
  void StoreDataReply(std::span<const std::uint8_t> reply) override;
  TransferEnd EndForError() const override;

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
  void StartWritingLines();
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
};

}  // namespace zr
