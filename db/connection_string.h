#pragma once

#include <QProcessEnvironment>
#include <QString>

namespace zr::db {

// SQL Server's own port, which its tools take for a server named without one.
inline constexpr int SqlServerPort = 1433;

// The package database's connection string in its ADO form:
// "Provider=SQLOLEDB.1;Password=nuvafi;Persist Security Info=True;User ID=sa;
// Initial Catalog=TK_Simp_ASS;Data Source=" followed by `server`. A server name
// that the ADO syntax would misread (one holding ';', starting with a quote or
// with blanks at either end) is written in double quotes, '"' doubled.
QString PackageConnectionString(const QString& server);

// Whether `driver` names FreeTDS, which needs SQL Server's naming rules
// spelled out: with its default TDS version ("auto") it has no port of its own.
bool IsFreeTds(const QString& driver);

// The ODBC connection string for an ADO-style one: Provider becomes
// DRIVER={driver}, Data Source becomes Server (a "host,port" source gives Server
// and Port; Microsoft's drivers, which know no Port, take Server "host,port"),
// Initial Catalog Database, User ID UID, Password PWD; Persist
// Security Info has no ODBC meaning and is dropped. Values that ODBC would
// misread are brace-quoted. For FreeTDS a bare host gets Port=1433, as SQL
// Server's tools read it; "host\instance" gets no port, so that FreeTDS asks
// the server's browser service (TDSPORT, read by FreeTDS after the string,
// still wins). Raises DatabaseError for a malformed string, an unknown key or
// a port that is not a number from 1 to 65535.
QString OdbcConnectionString(const QString& connectionString, const QString& driver);

// What a connection to `server` (a "Data Source") through `driver` tries, for
// messages: the driver, the host, the port or the named instance, and for
// FreeTDS the TDS version, e.g. 'ODBC driver "FreeTDS", host plant-sql, port
// 1433, TDS version auto'. Counts FreeTDS's variables TDSPORT and TDSVER in
// `environment`. Raises DatabaseError as OdbcConnectionString does.
QString DescribeConnection(const QString& server, const QString& driver, const QProcessEnvironment& environment);

}  // namespace zr::db
