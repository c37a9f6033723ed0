#pragma once

#include <QString>

namespace zr::db {

// The package database's connection string in its ADO form:
// "Provider=SQLOLEDB.1;Password=nuvafi;Persist Security Info=True;User ID=sa;
// Initial Catalog=TK_Simp_ASS;Data Source=" followed by `server`. A server name
// that the ADO syntax would misread (one holding ';', starting with a quote or
// with blanks at either end) is written in double quotes, '"' doubled.
QString PackageConnectionString(const QString& server);

// The ODBC connection string for an ADO-style one: Provider becomes
// DRIVER={driver}, Data Source becomes Server (a "host,port" source gives Server
// and Port; Microsoft's drivers, which know no Port, take Server "host,port"),
// Initial Catalog Database, User ID UID, Password PWD; Persist
// Security Info has no ODBC meaning and is dropped. Values that ODBC would
// misread are brace-quoted. Raises DatabaseError for a malformed string, an
// unknown key or a port that is not a number from 1 to 65535.
QString OdbcConnectionString(const QString& connectionString, const QString& driver);

}  // namespace zr::db
