#include "db/connection_string.h"

#include <gtest/gtest.h>

#include "db/database_error.h"

namespace zr::db {
namespace {

TEST(ConnectionString, FixedAdoStringAndTheOdbcStringMadeFromIt) {
  EXPECT_EQ(PackageConnectionString(QStringLiteral("PLANT-SQL")),
            QStringLiteral("Provider=SQLOLEDB.1;Password=nuvafi;Persist Security Info=True;User ID=sa;"
                           "Initial Catalog=TK_Simp_ASS;Data Source=PLANT-SQL"));
  EXPECT_EQ(OdbcConnectionString(PackageConnectionString(QStringLiteral("PLANT-SQL")), QStringLiteral("FreeTDS")),
            QStringLiteral("DRIVER={FreeTDS};Server=PLANT-SQL;Port=1433;Database=TK_Simp_ASS;UID=sa;PWD=nuvafi"));
  EXPECT_EQ(OdbcConnectionString(PackageConnectionString(QStringLiteral("127.0.0.1, 1433")),
                                 QStringLiteral("PostgreSQL Unicode")),
            QStringLiteral("DRIVER={PostgreSQL Unicode};Server=127.0.0.1;Port=1433;Database=TK_Simp_ASS;"
                           "UID=sa;PWD=nuvafi"));
  // Microsoft's drivers know no Port: the port stays with the host.
  for (const char* driver : {"SQL Server", "ODBC Driver 17 for SQL Server"}) {
    EXPECT_EQ(OdbcConnectionString(QStringLiteral("Data Source=PLANT-SQL, 1433"), QLatin1String(driver)),
              QStringLiteral("DRIVER={%1};Server=PLANT-SQL,1433").arg(QLatin1String(driver)));
  }
  // A named instance's port comes from the server's browser; SQL Server's
  // default port is FreeTDS's need only.
  EXPECT_EQ(OdbcConnectionString(QStringLiteral(" data source = PLANT\\SQLEXPRESS ;"), QStringLiteral("FreeTDS")),
            QStringLiteral("DRIVER={FreeTDS};Server=PLANT\\SQLEXPRESS"));
  EXPECT_EQ(OdbcConnectionString(QStringLiteral("Data Source=db"), QStringLiteral("PostgreSQL Unicode")),
            QStringLiteral("DRIVER={PostgreSQL Unicode};Server=db"));
  // What a failure names (the FreeTDS ports are db-check's tests).
  EXPECT_EQ(DescribeConnection(QStringLiteral("p\\SQLEXPRESS"), QStringLiteral("FreeTDS"), {}),
            QStringLiteral("ODBC driver \"FreeTDS\", host p, instance SQLEXPRESS (its port from the server's "
                           "browser service, UDP 1434), TDS version auto"));
  EXPECT_EQ(DescribeConnection(QStringLiteral("db"), QStringLiteral("PostgreSQL Unicode"), {}),
            QStringLiteral("ODBC driver \"PostgreSQL Unicode\", host db, the driver's default port"));
}

TEST(ConnectionString, ServerNameCannotAddSettings) {
  // A name from the command line stays one value through both syntaxes.
  const QString hostile = QStringLiteral("x;Driver=/tmp/evil.so;PWD=}x");
  EXPECT_EQ(PackageConnectionString(hostile).section(u';', 5),
            QStringLiteral("Data Source=\"x;Driver=/tmp/evil.so;PWD=}x\""));
  EXPECT_EQ(OdbcConnectionString(PackageConnectionString(hostile), QStringLiteral("FreeTDS")),
            QStringLiteral("DRIVER={FreeTDS};Server={x;Driver=/tmp/evil.so;PWD=}}x};Port=1433;Database=TK_Simp_ASS;"
                           "UID=sa;PWD=nuvafi"));
  EXPECT_EQ(OdbcConnectionString(PackageConnectionString(QStringLiteral("\"q\" ")), QStringLiteral("D")),
            QStringLiteral("DRIVER={D};Server={\"q\" };Database=TK_Simp_ASS;UID=sa;PWD=nuvafi"));
  EXPECT_EQ(OdbcConnectionString(QStringLiteral("Data Source='it''s'"), QStringLiteral("D")),
            QStringLiteral("DRIVER={D};Server=it's"));
}

TEST(ConnectionString, RefusesWhatItCannotRead) {
  for (const char* text : {"Data Source=host,", "Data Source=host,port", "Data Source=host,70000",
                           "Data Source=host,0", "Server=host", "Data Source=\"host", "Data Source=\"h\"x",
                           "Data Source=h;junk", "=value"}) {
    EXPECT_THROW(OdbcConnectionString(QString::fromLatin1(text), QStringLiteral("FreeTDS")), DatabaseError)
        << text;
  }
}

}  // namespace
}  // namespace zr::db
