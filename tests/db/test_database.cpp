#include "tests/db/test_database.h"

#include <gtest/gtest.h>

#include <QSqlQuery>
#include <QVariant>
#include <stdexcept>

#include "db/connection_string.h"

namespace zr::db {

std::optional<DatabaseSettings> RequireTestDatabase() {
  const QString server = qEnvironmentVariable("ZR_TEST_DB_SERVER");
  if (server.isEmpty()) {
    // GTEST_SKIP returns from the function it stands in: here a lambda's.
    [] { GTEST_SKIP() << "no test database server: ZR_TEST_DB_SERVER is not set (scripts/test starts one and sets it)"; }();
    return std::nullopt;
  }
  return DatabaseSettings{server, qEnvironmentVariable("ZR_TEST_DB_DRIVER", QStringLiteral("PostgreSQL Unicode"))};
}

void PrintTo(const AtCodeRow& row, std::ostream* out) {
  *out << '{' << row.serialNumber.toStdString() << ", "
       << (row.packageCode ? '"' + row.packageCode->toStdString() + '"' : std::string("NULL")) << ", "
       << (row.time ? row.time->toString(Qt::ISODateWithMs).toStdString() : std::string("NULL")) << '}';
}

TestTable::TestTable(const DatabaseSettings& server)
    : session_(OdbcConnectionString(PackageConnectionString(server.server), server.driver),
               QStringLiteral("the test server")) {}

void TestTable::Reset(const QList<AtCodeRow>& rows) {
  session_.Execute(QStringLiteral("Delete From T_TI_ATCode"), {});
  for (const AtCodeRow& row : rows) {
    if (row.packageCode && row.time) {
      session_.Execute(QStringLiteral("Insert Into T_TI_ATCode (I_Code, O_Code, O_Time) Values (?, ?, ?)"),
                       {row.serialNumber, *row.packageCode, *row.time});
    } else {
      session_.Execute(QStringLiteral("Insert Into T_TI_ATCode (I_Code) Values (?)"), {row.serialNumber});
    }
  }
}

QList<AtCodeRow> TestTable::Rows() {
  QSqlQuery query =
      session_.Execute(QStringLiteral("Select I_Code, O_Code, O_Time From T_TI_ATCode Order By I_Code"), {});
  QList<AtCodeRow> rows;
  while (query.next()) {
    AtCodeRow row{query.value(0).toString(), std::nullopt, std::nullopt};
    if (!query.isNull(1)) row.packageCode = query.value(1).toString();
    if (!query.isNull(2)) row.time = query.value(2).toDateTime();
    rows.append(row);
  }
  return rows;
}

QDateTime TestTable::ServerTime() {
  QSqlQuery query = session_.Execute(QStringLiteral("Select GetDate()"), {});
  if (!query.next()) throw std::runtime_error("GetDate() returned no row");
  return query.value(0).toDateTime();
}

}  // namespace zr::db
