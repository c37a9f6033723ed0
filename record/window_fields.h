#pragma once

#include <QString>
#include <QtGlobal>
#include <array>
#include <functional>

#include "record/factory_record.h"

namespace zr {

// The values the station window's field controls hold: what the window (or the
// command line standing in for it) copies to and from its controls. Positions
// are list selections (-1: nothing selected); check values are 0 off, 1 on,
// 2 greyed.
struct WindowFields {
  qint16 Check1 = 0;  // factory mode
  qint16 Check2 = 0;  // remote kill (hidden)
  qint16 Check3 = 0;  // remote stun (hidden)
  qint16 Check5 = 0;  // frequency expansion
  qint16 Check6 = 0;  // APRS
  qint16 Check7 = 0;  // quick reset
  qint16 Check8 = 0;  // turbo power
  QString ModelText;             // Combo1(0)
  int BandPosition = 0;          // Combo1(1)
  int WorkCountryPosition = 0;   // Combo1(3)
  std::array<QString, 13> Text1; // Text1(0) to Text1(12); there is no Text1(7)

  friend bool operator==(const WindowFields&, const WindowFields&) = default;
};

// Text1 indices by what the box holds.
namespace TextBox {
inline constexpr int AreaCode = 0;
inline constexpr int SerialNumber = 1;
inline constexpr int ProducedDate = 2;
inline constexpr int MaintainedDate = 3;
inline constexpr int MaintainedDescription = 4;
inline constexpr int PackageCode = 5;
inline constexpr int ManufactureCode = 6;
inline constexpr int DealerCode = 8;
inline constexpr int StockDate = 9;
inline constexpr int SellDate = 10;
inline constexpr int Seller = 11;
inline constexpr int ProgramPassword = 12;
}  // namespace TextBox

// Maximum length of Text1(index) in characters; 0 for the missing Text1(7).
int TextBoxLimit(int index);

// Whether a text box filters its keys to 7-bit ASCII (area code, password).
bool IsAsciiOnlyBox(int index);

// Window into record, as a write takes it. Returns false when the three-band
// entry is chosen for a radio that cannot take it ("write error"): then only
// the check boxes and the work country have been taken. When the chosen band
// differs from the radio's, confirmBandChange decides: true takes the new
// band, false puts the band list back on the radio's band.
bool TakeFieldsIntoRecord(WindowFields& fields, FactoryRecord& record, QString& packageCode, bool triBandCapable,
                          const std::function<bool()>& confirmBandChange);

// Record into window. A value its control cannot take (a check value outside
// 0..2, a list position outside the list) raises RuntimeError at that control;
// the controls before it already hold their new values.
void ShowRecordInFields(const FactoryRecord& record, WindowFields& fields);

}  // namespace zr
