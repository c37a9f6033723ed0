#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <optional>
#include <ostream>

#include "db/database_settings.h"
#include "db/odbc_session.h"

namespace zr::db {

// The server scripts/test starts: ZR_TEST_DB_SERVER ("host,port") and
// ZR_TEST_DB_DRIVER. Without one the test is marked skipped, saying why, and
// the result is empty: the test then returns.
std::optional<DatabaseSettings> RequireTestDatabase();

// A server address that refuses at once: nothing listens on TCP port 1 (tcpmux).
inline const QString ClosedServer = QStringLiteral("127.0.0.1,1");

// One row of T_TI_ATCode.
struct AtCodeRow {
  QString serialNumber;
  std::optional<QString> packageCode;
  std::optional<QDateTime> time;
  bool operator==(const AtCodeRow&) const = default;
};
void PrintTo(const AtCodeRow& row, std::ostream* out);

// The test table, through a connection of its own with the program's login.
class TestTable {
 public:
  explicit TestTable(const DatabaseSettings& server);

  void Reset(const QList<AtCodeRow>& rows);
  QList<AtCodeRow> Rows();  // by serial number
  QDateTime ServerTime();   // GetDate() on the server

 private:
  OdbcSession session_;
};

}  // namespace zr::db
