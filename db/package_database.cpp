#include "db/package_database.h"

#include <QSqlQuery>
#include <QVariant>
#include <utility>

#include "db/connection_string.h"
#include "db/database_error.h"
#include "db/odbc_session.h"

namespace zr::db {

namespace {

const QString SaveStatement =
    QStringLiteral("Update T_TI_ATCode Set O_Code=?,O_Time=GetDate() Where I_Code=?");
const QString PackageCodeStatement = QStringLiteral("Select O_Code From T_TI_ATCode Where I_Code=?");
const QString ExistsStatement =
    QStringLiteral("Select Count(*) as C_Count From T_TI_ATCode Where O_Code=? And I_Code=?");

// Qt binds a null text as SQL NULL, which no comparison matches; the box's
// empty text is an empty code.
QVariant TextValue(const QString& text) { return text.isNull() ? QVariant(QLatin1String("")) : QVariant(text); }

OdbcSession Connect(const DatabaseSettings& settings) {
  return OdbcSession(OdbcConnectionString(PackageConnectionString(settings.server), settings.driver),
                     DescribeConnection(settings.server, settings.driver, QProcessEnvironment::systemEnvironment()));
}

}  // namespace

PackageDatabase::PackageDatabase(DatabaseSettings settings) : settings_(std::move(settings)) {}

bool PackageDatabase::SaveAssociation(const QString& serialNumber, const QString& packageCode) {
  OdbcSession session = Connect(settings_);
  session.Execute(SaveStatement, {TextValue(packageCode), TextValue(serialNumber)});
  return true;
}

bool PackageDatabase::AssociationExists(const QString& serialNumber, const QString& packageCode) {
  OdbcSession session = Connect(settings_);
  QSqlQuery query = session.Execute(ExistsStatement, {TextValue(packageCode), TextValue(serialNumber)});
  if (!query.next()) {
    throw DatabaseError(QStringLiteral("Database statement failed (%1): it returned no row").arg(ExistsStatement));
  }
  bool isNumber = false;
  const qlonglong count = query.value(QStringLiteral("C_Count")).toLongLong(&isNumber);
  if (!isNumber) {
    throw DatabaseError(QStringLiteral("Database statement failed (%1): C_Count is not a number").arg(ExistsStatement));
  }
  return count > 0;
}

std::optional<QString> PackageDatabase::PackageCodeOf(const QString& serialNumber) {
  // The same check a write makes first, so that a statement the server
  // refuses is found here, not at the first radio.
  AssociationExists(serialNumber, QString());
  OdbcSession session = Connect(settings_);
  QSqlQuery query = session.Execute(PackageCodeStatement, {TextValue(serialNumber)});
  if (!query.next()) return std::nullopt;
  return query.value(0).toString();
}

}  // namespace zr::db
