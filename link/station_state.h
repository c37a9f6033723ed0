#pragma once

#include <QString>
#include <QtGlobal>

#include "lang/ui_language.h"
#include "record/factory_image.h"
#include "record/factory_record.h"

namespace zr {

// One line below FactoryBase: the first step that moves on by a line reaches line 0x00.
inline constexpr quint32 AddressBeforeBlock = FactoryBase - FactoryLineSize;

// Values of OperationMode.
enum class OperationModes : qint16 { Idle = 0, Read = 1, Write = 2 };

// Values of CommState: the step a transfer has reached when a reply arrives.
enum class CommSteps : qint16 {
  PortOpened = 0,
  ProgramSent = 1,
  Line00Requested = 3,
  ModelCheckNext = 4,  // read: line 0x10 requested; write: line 0x30 requested
  MovingLines = 5,
  Line10Requested = 32,
  Line20Requested = 33,
  Line50Requested = 34,
  // A write's own steps around the writes: the rest of the block read (for
  // its backup, or for a source that needs the radio's whole block), and the
  // written lines read back.
  RemainingLineRequested = 35,
  VerifyLineRequested = 36,
  EndSent = 69,
  EndAfterModelError = 70,
  // "END" after a write stopped short of writing or of its checks: refused,
  // its backup or log entry not saved, its lines read back different.
  EndAfterFailure = 71,
  EndAfterStop = 72,
};

// "END" is on its way: a stop has nothing left to do.
constexpr bool EndSentAlready(CommSteps step) {
  return step == CommSteps::EndSent || step == CommSteps::EndAfterModelError || step == CommSteps::EndAfterFailure ||
         step == CommSteps::EndAfterStop;
}

// An "END" that stays unanswered counts as answered, except after a model
// error, whose message needs the radio's answer.
constexpr bool EndMayGoUnanswered(CommSteps step) {
  return EndSentAlready(step) && step != CommSteps::EndAfterModelError;
}

// The station's program-wide values, owned by the window's side (or the
// command line) and handed by reference to the parts that read and write them.
struct StationState {
  OperationModes OperationMode = OperationModes::Idle;
  CommSteps CommState = CommSteps::PortOpened;
  quint32 CurAddress = 0;
  qint16 CurrentComPort = 0;
  qint16 LastWritePort = 0;
  bool AssociationDone = false;
  lang::UiLanguage UiLanguage = lang::UiLanguage::Unset;
  QString PackageCode;
  ::zr::FactoryImage FactoryImage;
  ::zr::FactoryRecord FactoryRecord;
  bool TriBandCapable = false;
};

}  // namespace zr
