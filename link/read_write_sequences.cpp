#include "link/read_write_sequences.h"

#include "lang/messages.h"
#include "record/factory_tables.h"
#include "record/field_conversions.h"
#include "record/image_codec.h"

namespace zr {

namespace {

constexpr quint32 LastLineAddress = FactoryBase + FactoryImageSize - FactoryLineSize;  // 0x02FA00F0

constexpr quint32 LineAddress(int offset) { return FactoryBase + static_cast<quint32>(offset); }

}  // namespace

ReadWriteSequences::ReadWriteSequences(StationState& state, TransferEngine& engine, RadioPort& port,
                                       TransferHost& host, const platform::AnsiCodePage& codePage,
                                       PackageAssociations& associations)
    : state_(state), engine_(engine), port_(port), host_(host), codePage_(codePage), associations_(associations) {}

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
  // The model (0x10) and serial number (0x30) lines are never written.
  if (state_.CurAddress == LineAddress(0x10)) {
    state_.CurAddress = LineAddress(0x20);
  } else if (state_.CurAddress == LineAddress(0x30)) {
    state_.CurAddress = LineAddress(0x40);
  }
  if (state_.CurAddress > LastLineAddress) {
    FinishBlocks();
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
      if (CheckModel()) {
        StartWritingLines();
      } else {
        state_.CommState = CommSteps::EndAfterModelError;
        SendEnd();
      }
      break;
    case CommSteps::MovingLines:
      SendWriteNext();
      break;
    case CommSteps::EndAfterModelError:
      ModelError();
      break;
    case CommSteps::EndAfterRefusedWrite:
      WriteRefused();
      break;
    default:
      WriteComplete();
      break;
  }
}

void ReadWriteSequences::StartWritingLines() {
  host_.ShowSerialNumber(TrimAtNul(state_.FactoryRecord.SerialNumber));
  if (!host_.GetDataByShow()) {
    // Refused ("write error" is shown): leave programming mode without
    // writing a line, so the radio keeps its block and no package is recorded.
    state_.CommState = CommSteps::EndAfterRefusedWrite;
    SendEnd();
    return;
  }
  state_.CommState = CommSteps::MovingLines;
  EncodeImage(state_.FactoryRecord, state_.FactoryImage, codePage_);
  SendWriteNext();
}

void ReadWriteSequences::StoreDataReply(std::span<const std::uint8_t> reply) {
  const quint32 address = FrameAddress(reply);
  if (address >= FactoryBase && address <= LastLineAddress) {
    const int offset = static_cast<int>(address - FactoryBase);
    std::copy(reply.begin() + 6, reply.begin() + 22, state_.FactoryImage.Line(offset).begin());
  }
  const FactoryField& serial = FieldOf(Field::SerialNumber);
  if (address == LineAddress(serial.offset)) {
    StoreDecodedText(state_.FactoryRecord.SerialNumber,
                     FieldReader(state_.FactoryImage, codePage_).GetText(serial.offset, serial.width), serial.width);
  } else if (address == FactoryBase) {
    state_.FactoryRecord.BandIndex = state_.FactoryImage[FieldOf(Field::BandIndex).offset];
    state_.TriBandCapable = IsTriBandCapable(state_.FactoryImage);
  }
}

bool ReadWriteSequences::IsMidTransfer() const {
  const CommSteps step = state_.CommState;
  return (state_.OperationMode == OperationModes::Read || state_.OperationMode == OperationModes::Write) &&
         step != CommSteps::EndSent && step != CommSteps::EndAfterModelError &&
         step != CommSteps::EndAfterRefusedWrite;
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

void ReadWriteSequences::WriteRefused() {
  state_.OperationMode = OperationModes::Idle;
  port_.ClosePort();
  engine_.End(TransferEnd::WriteRefused, QStringLiteral("the three-band entry is not for this radio; nothing was written"));
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

TransferEnd ReadWriteSequences::EndForError() const {
  return associating_ ? TransferEnd::DatabaseFailed : TransferEnd::RuntimeError;
}

}  // namespace zr
