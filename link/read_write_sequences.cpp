#include "link/read_write_sequences.h"

#include "lang/messages.h"
#include "record/factory_tables.h"
#include "record/field_conversions.h"
#include "record/image_codec.h"
#include "record/runtime_error.h"

namespace zr {

namespace {

constexpr quint32 LastLineAddress = FactoryBase + FactoryImageSize - FactoryLineSize;  // 0x02FA00F0

constexpr quint32 LineAddress(int offset) { return FactoryBase + static_cast<quint32>(offset); }

std::vector<int> WrittenLines() {
  std::vector<int> lines;
  for (int offset = 0; offset < FactoryImageSize; offset += FactoryLineSize) {
    if (IsWrittenLine(offset)) lines.push_back(offset);
  }
  return lines;
}

}  // namespace

ReadWriteSequences::ReadWriteSequences(StationState& state, TransferEngine& engine, RadioPort& port,
                                       TransferHost& host, const platform::AnsiCodePage& codePage,
                                       PackageAssociations& associations)
    : state_(state), engine_(engine), port_(port), host_(host), codePage_(codePage), associations_(associations) {}

void ReadWriteSequences::SetWriteChecks(BlockBackup* backup, WriteJournal* journal, bool verify) {
  backup_ = backup;
  journal_ = journal;
  verify_ = verify;
}

void ReadWriteSequences::SendProgram() {
  associating_ = false;
  engine_.SendFrame(BuildProgram(), ProgramReplyLength, false);
}

void ReadWriteSequences::SendRead(quint32 address, qint16 length) {
  engine_.SendFrame(BuildReadRequest(address, static_cast<std::uint8_t>(length)), length + 8, false);
}

void ReadWriteSequences::SendReadNext() {
  state_.CurAddress += FactoryLineSize;
  if (state_.CurAddress > LastLineAddress) {
    FinishBlocks();
    return;
  }
  SendRead(state_.CurAddress, LineLength);
}

void ReadWriteSequences::SendWriteNext() {
  state_.CurAddress += FactoryLineSize;
  if (state_.CurAddress <= LastLineAddress && !IsWrittenLine(static_cast<int>(state_.CurAddress - FactoryBase))) {
    state_.CurAddress += FactoryLineSize;
  }
  if (state_.CurAddress > LastLineAddress) {
    if (verify_) {
      verified_ = 0;
      SendNextVerifyRead();
    } else {
      FinishBlocks();
    }
    return;
  }
  const int offset = static_cast<int>(state_.CurAddress - FactoryBase);
  engine_.SendFrame(BuildWriteFrame(state_.CurAddress, state_.FactoryImage.Line(offset)), WriteReplyLength, false);
}

void ReadWriteSequences::SendEnd() { engine_.SendFrame(BuildEnd(), EndReplyLength, false); }

void ReadWriteSequences::FinishBlocks() {
  state_.CommState = CommSteps::EndSent;
  SendEnd();
}

void ReadWriteSequences::NextStep() {
  if (state_.CommState == CommSteps::EndAfterStop) {
    Stopped();
    return;
  }
  if (engine_.StopRequested() && IsMidTransfer()) {
    // A frame boundary: leave programming mode before letting the radio go.
    state_.CommState = CommSteps::EndAfterStop;
    SendEnd();
    return;
  }
  if (state_.OperationMode == OperationModes::Read) {
    NextReadStep();
  } else if (state_.OperationMode == OperationModes::Write) {
    NextWriteStep();
  }
}

void ReadWriteSequences::NextReadStep() {
  switch (state_.CommState) {
    case CommSteps::ProgramSent:
      state_.CommState = CommSteps::Line00Requested;
      SendReadNext();
      break;
    case CommSteps::Line00Requested:
      state_.CommState = CommSteps::ModelCheckNext;
      SendReadNext();
      break;
    case CommSteps::ModelCheckNext:
      if (CheckModel()) {
        state_.CommState = CommSteps::MovingLines;
        SendReadNext();
      } else {
        state_.CommState = CommSteps::EndAfterModelError;
        SendEnd();
      }
      break;
    case CommSteps::MovingLines:
      SendReadNext();
      break;
    case CommSteps::EndAfterModelError:
      ModelError();
      break;
    default:
      ReadComplete();
      break;
  }
}

void ReadWriteSequences::NextWriteStep() {
  switch (state_.CommState) {
    case CommSteps::ProgramSent:
      state_.CommState = CommSteps::Line00Requested;
      SendRead(LineAddress(0x00), LineLength);
      break;
    case CommSteps::Line00Requested:
      state_.CommState = CommSteps::Line10Requested;
      SendRead(LineAddress(0x10), LineLength);
      break;
    case CommSteps::Line10Requested:
      state_.CommState = CommSteps::Line20Requested;
      SendRead(LineAddress(0x20), LineLength);
      break;
    case CommSteps::Line20Requested:
      state_.CommState = CommSteps::Line50Requested;
      SendRead(LineAddress(0x50), LineLength);
      break;
    case CommSteps::Line50Requested:
      state_.CommState = CommSteps::ModelCheckNext;
      SendRead(LineAddress(0x30), LineLength);
      break;
    case CommSteps::ModelCheckNext:
      if (!CheckModel()) {
        state_.CommState = CommSteps::EndAfterModelError;
        SendEnd();
      } else if (ReadsWholeBlock()) {
        SendNextRemainingRead();
      } else {
        StartWritingLines();
      }
      break;
    case CommSteps::RemainingLineRequested:
      SendNextRemainingRead();
      break;
    case CommSteps::MovingLines:
      SendWriteNext();
      break;
    case CommSteps::VerifyLineRequested:
      SendNextVerifyRead();
      break;
    case CommSteps::EndAfterModelError:
      ModelError();
      break;
    case CommSteps::EndAfterFailure:
      FinishAfterFailure();
      break;
    default:
      WriteComplete();
      break;
  }
}

bool ReadWriteSequences::ReadsWholeBlock() const { return backup_ != nullptr || source_->NeedsWholeBlock(); }

void ReadWriteSequences::SendNextRemainingRead() {
  // The lines the write has not read yet, in block order.
  const BlockAsRead& block = engine_.Progress().blockAsRead;
  int next = state_.CommState == CommSteps::RemainingLineRequested ? lineRequested_ + FactoryLineSize : 0;
  while (next < FactoryImageSize && block.Holds(next)) next += FactoryLineSize;
  if (next >= FactoryImageSize) {
    StartWritingLines();
    return;
  }
  state_.CommState = CommSteps::RemainingLineRequested;
  lineRequested_ = next;
  SendRead(LineAddress(next), LineLength);
}

void ReadWriteSequences::StartWritingLines() {
  host_.ShowSerialNumber(TrimAtNul(state_.FactoryRecord.SerialNumber));
  TransferOutcome& progress = engine_.Progress();
  if (std::optional<WriteRefusal> refusal = source_->MakeBlock(progress.blockAsRead, state_.FactoryImage)) {
    EndAfterFailure(refusal->end, refusal->cause);
    return;
  }
  progress.blockSent = state_.FactoryImage;
  // The radio's block is kept, and the write written down, before the radio changes.
  if (!SaveBackup() || !WriteJournalEntry()) return;
  state_.CommState = CommSteps::MovingLines;
  SendWriteNext();
}

// Both caught here, not in the engine: a write that cannot keep its backup or
// its journal entry must still let the radio leave programming mode, with
// nothing written.
bool ReadWriteSequences::SaveBackup() {
  if (backup_ == nullptr) return true;
  try {
    engine_.Progress().backupPath = backup_->Save(engine_.Progress().blockAsRead.bytes);
    return true;
  } catch (const RuntimeError& error) {
    EndAfterFailure(TransferEnd::BackupFailed, QString::fromStdString(error.what()));
    return false;
  }
}

bool ReadWriteSequences::WriteJournalEntry() {
  if (journal_ == nullptr) return true;
  try {
    engine_.Progress().writeId = journal_->WriteStarting(engine_.Progress(), state_.CurrentComPort, WrittenLines());
    return true;
  } catch (const RuntimeError& error) {
    EndAfterFailure(TransferEnd::LogFailed, QString::fromStdString(error.what()));
    return false;
  }
}

void ReadWriteSequences::SendNextVerifyRead() {
  TransferOutcome& progress = engine_.Progress();
  if (verified_ < progress.linesWritten.size()) {
    state_.CommState = CommSteps::VerifyLineRequested;
    lineRequested_ = progress.linesWritten[verified_++];
    SendRead(LineAddress(lineRequested_), LineLength);
  } else if (progress.linesMismatched.empty()) {
    FinishBlocks();
  } else {
    EndAfterFailure(TransferEnd::VerifyFailed, QStringLiteral("lines %1 read back different from what was written")
                                                   .arg(DescribeLines(progress.linesMismatched)));
  }
}

void ReadWriteSequences::EndAfterFailure(TransferEnd end, const QString& cause) {
  failure_ = {end, cause};
  state_.CommState = CommSteps::EndAfterFailure;
  SendEnd();
}

void ReadWriteSequences::FinishAfterFailure() {
  state_.OperationMode = OperationModes::Idle;
  state_.CurAddress = AddressBeforeBlock;
  port_.ClosePort();
  engine_.End(failure_.end, failure_.cause);
  // A refused write has said why already ("write error"), or has no window to say it in.
  if (failure_.end == TransferEnd::BackupFailed || failure_.end == TransferEnd::LogFailed) {
    host_.ShowMessage(lang::CannotOpenPortText, MessageStyle::OkOnly);
  } else if (failure_.end == TransferEnd::VerifyFailed) {
    host_.ShowPlainMessage(lang::CommunicationFailedText);
  }
}

void ReadWriteSequences::StoreDataReply(std::span<const std::uint8_t> reply) {
  const quint32 address = FrameAddress(reply);
  if (address < FactoryBase || address > LastLineAddress) return;
  const int offset = static_cast<int>(address - FactoryBase);
  const auto data = reply.subspan<6, FactoryLineSize>();
  if (state_.CommState == CommSteps::VerifyLineRequested) {
    // Read back after writing: compared, never stored over what was sent.
    const auto sent = std::as_const(state_.FactoryImage).Line(offset);
    if (!std::equal(data.begin(), data.end(), sent.begin())) engine_.Progress().linesMismatched.push_back(offset);
    return;
  }
  std::copy(data.begin(), data.end(), state_.FactoryImage.Line(offset).begin());
  engine_.Progress().blockAsRead.Store(offset, data);
  const FactoryField& serial = FieldOf(Field::SerialNumber);
  if (address == LineAddress(serial.offset)) {
    StoreDecodedText(state_.FactoryRecord.SerialNumber, SerialNumberText(state_.FactoryImage, codePage_), serial.width);
  } else if (address == FactoryBase) {
    state_.FactoryRecord.BandIndex = state_.FactoryImage[FieldOf(Field::BandIndex).offset];
    state_.TriBandCapable = IsTriBandCapable(state_.FactoryImage);
  }
}

bool ReadWriteSequences::IsMidTransfer() const {
  return (state_.OperationMode == OperationModes::Read || state_.OperationMode == OperationModes::Write) &&
         !EndSentAlready(state_.CommState);
}

void ReadWriteSequences::Stopped() {
  state_.OperationMode = OperationModes::Idle;
  state_.CurAddress = AddressBeforeBlock;
  port_.ClosePort();
  engine_.End(TransferEnd::Interrupted, engine_.StopCause());
}

bool ReadWriteSequences::CheckModel() const { return ModelText(state_.FactoryImage, codePage_) == ExpectedModel; }

void ReadWriteSequences::ReadComplete() {
  state_.CurAddress = AddressBeforeBlock;
  state_.OperationMode = OperationModes::Idle;
  port_.ClosePort();
  DecodeImage(state_.FactoryImage, state_.FactoryRecord, codePage_);
  host_.ShowByData();
  engine_.End(TransferEnd::ReadComplete);
  host_.ShowMessage(lang::ReadCompleteText, MessageStyle::OkOnly);
}

void ReadWriteSequences::ModelError() {
  port_.ClosePort();
  engine_.End(TransferEnd::ModelError, QStringLiteral("the radio's model is \"%1\", not \"%2\"")
                                           .arg(ModelText(state_.FactoryImage, codePage_), ExpectedModel));
  host_.ShowMessage(lang::ModelTypeErrorText(state_.UiLanguage), MessageStyle::OkOnly);
}

void ReadWriteSequences::WriteComplete() {
  state_.OperationMode = OperationModes::Idle;
  state_.CurAddress = AddressBeforeBlock;
  state_.LastWritePort = state_.CurrentComPort;
  port_.ClosePort();
  if (host_.SelectedMode() == AssociationMode::NoPackageAssociation) {
    state_.AssociationDone = false;
    engine_.End(TransferEnd::WriteComplete);
    host_.ShowMessage(lang::WriteCompleteText, MessageStyle::OkOnly);
    return;
  }
  AssociatePackage();
  host_.SetStatusLabel(lang::WaitingNextText(state_.UiLanguage));
}

void ReadWriteSequences::AssociatePackage() {
  const QString serialNumber = TrimAtNul(state_.FactoryRecord.SerialNumber);
  const QString packageCode = TrimAtNul(state_.PackageCode);
  // An error now leaves the radio written and only the association in doubt.
  associating_ = true;
  associations_.SaveAssociation(serialNumber, packageCode);
  bool exists = false;
  // The operator decides how often to try again; No leaves it missing.
  while (!(exists = associations_.AssociationExists(serialNumber, packageCode))) {
    if (host_.ShowMessage(lang::AssociationFailedRetryText, MessageStyle::YesNo) != MessageButton::Yes) break;
    associations_.SaveAssociation(serialNumber, packageCode);
  }
  associating_ = false;
  host_.AdvancePackageCode();
  state_.AssociationDone = true;
  if (exists) {
    engine_.End(TransferEnd::WriteComplete);
  } else {
    engine_.End(TransferEnd::AssociationMissing,
                QStringLiteral("the database holds no association of %1 with %2").arg(serialNumber, packageCode));
  }
}

int ReadWriteSequences::PlannedFrames() const {
  constexpr int Written = FactoryLineCount - 2;  // never the model and serial-number lines
  constexpr int ModelCheckReads = 5;
  if (state_.OperationMode == OperationModes::Read) return 1 + FactoryLineCount + 1;
  return 1 + (ReadsWholeBlock() ? FactoryLineCount : ModelCheckReads) + Written + (verify_ ? Written : 0) + 1;
}

TransferEnd ReadWriteSequences::EndForError() const {
  return associating_ ? TransferEnd::DatabaseFailed : TransferEnd::RuntimeError;
}

}  // namespace zr
