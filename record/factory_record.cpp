#include "record/factory_record.h"

#include "platform/short_date.h"
#include "record/factory_fields.h"

namespace zr {

void StoreText(QString& field, const QString& value, int width) { field = value.left(width); }

void StoreDecodedText(QString& field, const QString& decoded, int width) {
  StoreText(field, decoded + QChar(0), width);
}

void InitRecord(FactoryRecord& record, const QDate& today, const QString& localeName) {
  record = FactoryRecord{};
  record.TurboPower = 1;
  record.WorkCountry = 1;  // "English"
  record.ModelName = ExpectedModel;
  StoreText(record.SerialNumber, today.toString(QStringLiteral("yyyyMMdd")) + QStringLiteral("00000001"),
            FieldOf(Field::SerialNumber).width);
  StoreText(record.ProducedDate, platform::ShortDateText(today, localeName), FieldOf(Field::ProducedDate).width);
  StoreText(record.ManufactureCode, today.toString(QStringLiteral("MM")) + QStringLiteral("-1-E-1"),
            FieldOf(Field::ManufactureCode).width);
}

}  // namespace zr
