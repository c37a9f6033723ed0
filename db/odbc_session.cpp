#include "db/odbc_session.h"

#include <QRegularExpression>
#include <QSqlError>
#include <QStringList>
#include <QUuid>

#include "db/database_error.h"

namespace zr::db {

namespace {

// The driver's diagnostic records, each once, on one line. Qt joins the
// records with blanks (each starts with its "[vendor]" part) and adds its own
// "QODBC: Unable to connect"; FreeTDS reports one record twice.
QString DriverMessage(const QSqlError& error) {
  const QString text = error.databaseText().simplified();
  if (text.isEmpty()) return error.driverText();
  static const QRegularExpression recordStart(QStringLiteral(" (?=\\[)"));
  QStringList records;
  for (const QString& record : text.split(recordStart)) {
    if (!records.contains(record)) records << record;
  }
  return records.join(u' ');
}

}  // namespace

OdbcSession::OdbcSession(const QString& odbcConnectionString, const QString& target)
    : name_(QStringLiteral("zr-db-") + QUuid::createUuid().toString(QUuid::WithoutBraces)) {
  const QString failed = QStringLiteral("Database connection failed (%1): ").arg(target);
  // Qt's ODBC driver reads any connection string holding ".dsn" as a file DSN.
  if (odbcConnectionString.contains(QLatin1String(".dsn"), Qt::CaseInsensitive)) {
    throw DatabaseError(failed + QStringLiteral("the connection string must not contain \".dsn\""));
  }
  database_ = QSqlDatabase::addDatabase(QStringLiteral("QODBC"), name_);
  if (!database_.isValid()) {
    Release();
    throw DatabaseError(failed +
                        QStringLiteral("Qt's ODBC driver (QODBC) is not available; it needs the Qt ODBC "
                                       "plugin and a running QCoreApplication"));
  }
  database_.setDatabaseName(odbcConnectionString);
  // The credentials travel in the connection string only.
  if (!database_.open(QString(), QString())) {
    const QString error = DriverMessage(database_.lastError());
    Release();
    throw DatabaseError(failed + error);
  }
}

OdbcSession::~OdbcSession() { Release(); }

void OdbcSession::Release() {
  database_.close();
  database_ = QSqlDatabase();
  QSqlDatabase::removeDatabase(name_);
}

QSqlQuery OdbcSession::Execute(const QString& statement, const QVariantList& values) {
  QSqlQuery query(database_);
  query.setForwardOnly(true);
  bool done = query.prepare(statement);
  if (done) {
    for (const QVariant& value : values) query.addBindValue(value);
    done = query.exec();
  }
  if (!done) {
    throw DatabaseError(QStringLiteral("Database statement failed (%1): %2").arg(statement, query.lastError().text()));
  }
  return query;
}

}  // namespace zr::db
