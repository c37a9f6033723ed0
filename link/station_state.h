#pragma once

#include <QString>
#include <QtGlobal>

#include "record/factory_image.h"
#include "record/factory_record.h"

namespace zr {

// One line below FactoryBase: the first step that moves on by a line reaches line 0x00.
inline constexpr quint32 AddressBeforeBlock = FactoryBase - FactoryLineSize;

namespace OperationModes {
inline constexpr qint16 Idle = 0;
inline constexpr qint16 Read = 1;
inline constexpr qint16 Write = 2;
}  // namespace OperationModes

// Values of CommState: the step a transfer has reached when a reply arrives.
namespace CommSteps {
inline constexpr qint16 PortOpened = 0;
inline constexpr qint16 ProgramSent = 1;
inline constexpr qint16 Line00Requested = 3;
inline constexpr qint16 ModelCheckNext = 4;  // read: line 0x10 requested; write: line 0x30 requested
inline constexpr qint16 MovingLines = 5;
inline constexpr qint16 Line10Requested = 32;
inline constexpr qint16 Line20Requested = 33;
inline constexpr qint16 Line50Requested = 34;
inline constexpr qint16 EndSent = 69;
inline constexpr qint16 EndAfterModelError = 70;
inline constexpr qint16 EndAfterRefusedWrite = 71;
inline constexpr qint16 EndAfterStop = 72;
}  // namespace CommSteps

// The station's program-wide values, owned by the window's side (or the
// command line) and handed by reference to the parts that read and write them.
struct StationState {
  qint16 OperationMode = OperationModes::Idle;
  qint16 CommState = 0;
  quint32 CurAddress = 0;
  qint16 CurrentComPort = 0;
  qint16 LastWritePort = 0;
  bool AssociationDone = false;
  qint16 UiLanguage = 0;  // 1 English, 2 Chinese
  QString PackageCode;
  ::zr::FactoryImage FactoryImage;
  ::zr::FactoryRecord FactoryRecord;
  bool TriBandCapable = false;
};

}  // namespace zr
