#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariantList>

namespace zr::db {

// One ODBC connection for the length of one statement: opened by the
// constructor, closed and dropped from Qt's connection list by the destructor.
// Queries it returns must be gone before it is.
class OdbcSession {
 public:
  // Raises DatabaseError, naming `target` (what the connection tried) and
  // the driver's words once, when the connection cannot be opened.
  OdbcSession(const QString& odbcConnectionString, const QString& target);
  ~OdbcSession();
  OdbcSession(const OdbcSession&) = delete;
  OdbcSession& operator=(const OdbcSession&) = delete;

  // Prepares `statement`, binds `values` to its '?' placeholders in order and
  // runs it. Raises DatabaseError when the statement fails.
  QSqlQuery Execute(const QString& statement, const QVariantList& values);

 private:
  void Release();

  QString name_;
  QSqlDatabase database_;
};

}  // namespace zr::db
