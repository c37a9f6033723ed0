#pragma once

#include <QDate>
#include <QString>
#include <QtGlobal>

namespace zr {

// The decoded factory fields, between the image and the window. Check-box
// values and list positions are 16-bit, as the window's controls hold them.
// A text field may end in one 0x00 character (see StoreDecodedText).
struct FactoryRecord {
  qint16 RemoteKill = 0;
  qint16 RemoteStun = 0;
  qint16 FactoryMode = 0;
  qint16 BandIndex = 0;
  qint16 WorkCountry = 0;
  qint16 FreqExpand = 0;
  qint16 Aprs = 0;
  qint16 QuickReset = 0;
  qint16 TurboPower = 0;
  QString ModelName;
  QString ProgramPassword;
  QString AreaCode;
  QString SerialNumber;
  QString ProducedDate;
  QString ManufactureCode;
  QString MaintainedDate;
  QString DealerCode;
  QString StockDate;
  QString SellDate;
  QString Seller;
  QString MaintainedDescription;

  friend bool operator==(const FactoryRecord&, const FactoryRecord&) = default;
};

// Stores `value` into a text field, cut to the field's width.
void StoreText(QString& field, const QString& value, int width);

// Stores a text decoded from the block: the text and one 0x00 character after
// it (so that blanks at its end survive showing), cut to the field's width.
void StoreDecodedText(QString& field, const QString& decoded, int width);

// The start-up values; the dates come from `today`, the production date in the
// short date format of `localeName` (the system locale in the program).
void InitRecord(FactoryRecord& record, const QDate& today, const QString& localeName);

}  // namespace zr
