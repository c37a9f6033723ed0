#pragma once

#include <QString>

// The ODBC driver that stands in for the connection string's provider:
// FreeTDS on Linux; on Windows the "SQL Server" driver, which every Windows
// has, as it has the OLE DB provider the station's connection string names.
#ifdef _WIN32
#define ZR_DEFAULT_ODBC_DRIVER "SQL Server"
#else
#define ZR_DEFAULT_ODBC_DRIVER "FreeTDS"
#endif

namespace zr::db {

// Where the package database lives, as given on the program's command line
// (--db-server NAME, --db-driver NAME).
struct DatabaseSettings {
  // The database server's name, the connection string's "Data Source": a host,
  // "host,port" or "host\instance".
  QString server = QStringLiteral("localhost");
  // The ODBC driver that stands in for the connection string's provider.
  QString driver = QStringLiteral(ZR_DEFAULT_ODBC_DRIVER);
};

}  // namespace zr::db
