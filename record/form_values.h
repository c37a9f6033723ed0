#pragma once

#include <QString>
#include <QtGlobal>
#include <functional>

#include "record/factory_record.h"

namespace zr {

// What the station's form holds for the operator: the values the window (or
// the command line standing in for it) copies to and from its controls.
// Positions are list selections (-1: nothing selected); check values are 0
// off, 1 on, 2 greyed.
struct FormValues {
  qint16 factoryMode = 0;
  qint16 remoteKill = 0;  // shown, never written
  qint16 remoteStun = 0;  // shown, never written
  qint16 freqExpand = 0;
  qint16 aprs = 0;
  qint16 quickReset = 0;
  qint16 turboPower = 0;
  QString modelName;
  int bandPosition = 0;
  int workCountryPosition = 0;
  QString serialNumber;
  QString areaCode;
  QString programPassword;
  QString producedDate;
  QString manufactureCode;
  QString maintainedDate;
  QString maintainedDescription;
  QString dealerCode;
  QString stockDate;
  QString sellDate;
  QString seller;
  QString packageCode;  // the box the scanner fills; not part of the block

  friend bool operator==(const FormValues&, const FormValues&) = default;
};

// Form into record, as a write takes it. Returns false when the three-band
// entry is chosen for a radio that cannot take it ("write error"): then only
// the check values and the work country have been taken. When the chosen band
// differs from the radio's, confirmBandChange decides: true takes the new
// band, false puts the band list back on the radio's band.
bool TakeFormIntoRecord(FormValues& form, FactoryRecord& record, QString& packageCode, bool triBandCapable,
                        const std::function<bool()>& confirmBandChange);

// Record into form. A value the form cannot show (a check value outside
// 0..2, a list position outside the list) raises RuntimeError naming the
// field; the values before it, in the window's order, are already shown.
void ShowRecordInForm(const FactoryRecord& record, FormValues& form);

}  // namespace zr
