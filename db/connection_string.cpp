#include "db/connection_string.h"

#include <QList>
#include <QStringList>
#include <optional>
#include <tuple>
#include <utility>

#include "db/database_error.h"

namespace zr::db {

namespace {

struct Setting {
  QString key;
  QString value;
};

[[noreturn]] void Malformed(const QString& why) {
  // The string holds the password: the message names keys, never the whole text.
  throw DatabaseError(QStringLiteral("Connection string: ") + why);
}

bool IsQuote(QChar c) { return c == u'"' || c == u'\''; }

// Reads a quoted value from `pos` (at the opening quote); a doubled quote is
// one quote character. Leaves `pos` past the closing quote.
QString ReadQuoted(const QString& text, qsizetype& pos, const QString& key) {
  const QChar quote = text[pos++];
  QString value;
  for (;;) {
    if (pos >= text.size()) Malformed(QStringLiteral("the value of \"%1\" has no closing quote").arg(key));
    if (text[pos] == quote) {
      if (pos + 1 < text.size() && text[pos + 1] == quote) {
        value += quote;
        pos += 2;
        continue;
      }
      ++pos;
      return value;
    }
    value += text[pos++];
  }
}

// ADO syntax: "key=value" pairs joined by ';'; blanks around keys and values
// do not count; a value may stand in single or double quotes.
QList<Setting> ParseAdo(const QString& text) {
  QList<Setting> settings;
  qsizetype pos = 0;
  while (pos < text.size()) {
    const qsizetype equals = text.indexOf(u'=', pos);
    qsizetype semicolon = text.indexOf(u';', pos);
    if (equals < 0 || (semicolon >= 0 && semicolon < equals)) {
      const qsizetype end = semicolon < 0 ? text.size() : semicolon;
      if (!text.mid(pos, end - pos).trimmed().isEmpty()) Malformed(QStringLiteral("a part has no '='"));
      pos = end + 1;
      continue;
    }
    const QString key = text.mid(pos, equals - pos).trimmed();
    if (key.isEmpty()) Malformed(QStringLiteral("a value has no key"));
    pos = equals + 1;
    while (pos < text.size() && text[pos].isSpace()) ++pos;
    QString value;
    if (pos < text.size() && IsQuote(text[pos])) {
      value = ReadQuoted(text, pos, key);
      while (pos < text.size() && text[pos].isSpace()) ++pos;
      if (pos < text.size() && text[pos] != u';') {
        Malformed(QStringLiteral("text follows the quoted value of \"%1\"").arg(key));
      }
    } else {
      semicolon = text.indexOf(u';', pos);
      const qsizetype end = semicolon < 0 ? text.size() : semicolon;
      value = text.mid(pos, end - pos).trimmed();
      pos = end;
    }
    ++pos;  // past the ';'
    settings.append({key, value});
  }
  return settings;
}

bool NeedsAdoQuotes(const QString& value) {
  return value.contains(u';') || (!value.isEmpty() && IsQuote(value.front())) || value != value.trimmed();
}

QString BraceQuoted(QString value) { return u'{' + value.replace(u'}', QStringLiteral("}}")) + u'}'; }

QString OdbcValue(const QString& value) {
  const bool plain = !value.contains(u';') && !value.contains(u'{') && !value.contains(u'}') &&
                     value == value.trimmed();
  return plain ? value : BraceQuoted(value);
}

bool IsKey(const QString& key, const char* name) {
  return key.compare(QLatin1String(name), Qt::CaseInsensitive) == 0;
}

// "host,port" gives both; anything else is the host alone ("host\instance" too).
std::pair<QString, std::optional<QString>> SplitDataSource(const QString& source) {
  const qsizetype comma = source.lastIndexOf(u',');
  if (comma < 0) return {source, std::nullopt};
  const QString portText = source.mid(comma + 1).trimmed();
  bool digitsOnly = !portText.isEmpty();
  for (QChar c : portText) digitsOnly = digitsOnly && c >= u'0' && c <= u'9';
  const uint port = digitsOnly ? portText.toUInt() : 0;
  if (port < 1 || port > 65535) {
    Malformed(QStringLiteral("\"Data Source\" port \"%1\" is not a number from 1 to 65535").arg(portText));
  }
  return {source.left(comma).trimmed(), QString::number(port)};
}

// Microsoft's own drivers ("SQL Server", "ODBC Driver 17 for SQL Server",
// "SQL Server Native Client 11.0") know no Port key: the port goes with the
// host, "host,port", as their Server takes it.
bool PortGoesWithHost(const QString& driver) {
  return driver.compare(QLatin1String("SQL Server"), Qt::CaseInsensitive) == 0 ||
         driver.endsWith(QLatin1String(" for SQL Server"), Qt::CaseInsensitive) ||
         driver.startsWith(QLatin1String("SQL Server Native Client"), Qt::CaseInsensitive) ||
         driver.startsWith(QLatin1String("SQL Native Client"), Qt::CaseInsensitive);
}

QString DataSourceOf(const QString& connectionString) {
  QString source;
  for (const Setting& setting : ParseAdo(connectionString)) {
    if (IsKey(setting.key, "Data Source")) source = setting.value;
  }
  return source;
}

}  // namespace

bool IsFreeTds(const QString& driver) { return driver.contains(QLatin1String("FreeTDS"), Qt::CaseInsensitive); }

QString PackageConnectionString(const QString& server) {
  QString source = server;
  if (NeedsAdoQuotes(source)) source = u'"' + source.replace(u'"', QStringLiteral("\"\"")) + u'"';
  return QStringLiteral(
             "Provider=SQLOLEDB.1;Password=nuvafi;Persist Security Info=True;User ID=sa;"
             "Initial Catalog=TK_Simp_ASS;Data Source=") +
         source;
}

QString OdbcConnectionString(const QString& connectionString, const QString& driver) {
  std::optional<QString> host, port, database, user, password;
  for (const Setting& setting : ParseAdo(connectionString)) {
    if (IsKey(setting.key, "Provider") || IsKey(setting.key, "Persist Security Info")) {
      continue;  // the driver replaces the provider; ODBC keeps no such flag
    } else if (IsKey(setting.key, "Data Source")) {
      std::tie(host, port) = SplitDataSource(setting.value);
    } else if (IsKey(setting.key, "Initial Catalog")) {
      database = setting.value;
    } else if (IsKey(setting.key, "User ID")) {
      user = setting.value;
    } else if (IsKey(setting.key, "Password")) {
      password = setting.value;
    } else {
      Malformed(QStringLiteral("unknown key \"%1\"").arg(setting.key));
    }
  }
  if (host && !port && IsFreeTds(driver) && !host->contains(u'\\')) port = QString::number(SqlServerPort);
  QStringList parts{QStringLiteral("DRIVER=") + BraceQuoted(driver)};
  if (host && port && PortGoesWithHost(driver)) {
    parts << QStringLiteral("Server=") + OdbcValue(*host + u',' + *port);
  } else {
    if (host) parts << QStringLiteral("Server=") + OdbcValue(*host);
    if (port) parts << QStringLiteral("Port=") + *port;
  }
  if (database) parts << QStringLiteral("Database=") + OdbcValue(*database);
  if (user) parts << QStringLiteral("UID=") + OdbcValue(*user);
  if (password) parts << QStringLiteral("PWD=") + OdbcValue(*password);
  return parts.join(u';');
}

QString DescribeConnection(const QString& server, const QString& driver, const QProcessEnvironment& environment) {
  const auto [host, port] = SplitDataSource(DataSourceOf(PackageConnectionString(server)));
  QStringList parts{QStringLiteral("ODBC driver \"%1\"").arg(driver)};
  const qsizetype backslash = host.indexOf(u'\\');
  parts << QStringLiteral("host ") + (backslash < 0 ? host : host.left(backslash));
  if (!IsFreeTds(driver)) {
    parts << (port ? QStringLiteral("port ") + *port : QStringLiteral("the driver's default port"));
    return parts.join(QStringLiteral(", "));
  }
  // FreeTDS reads its variables after the connection string: they win.
  const QString tdsPort = environment.value(QStringLiteral("TDSPORT"));
  const QString tdsVersion = environment.value(QStringLiteral("TDSVER"));
  if (!tdsPort.isEmpty()) {
    parts << QStringLiteral("port %1 (TDSPORT)").arg(tdsPort);
  } else if (port) {
    parts << QStringLiteral("port ") + *port;
  } else if (backslash >= 0) {
    parts << QStringLiteral("instance %1 (its port from the server's browser service, UDP 1434)")
                 .arg(host.mid(backslash + 1));
  } else {
    parts << QStringLiteral("port %1").arg(SqlServerPort);
  }
  parts << (tdsVersion.isEmpty() ? QStringLiteral("TDS version auto")
                                 : QStringLiteral("TDS version %1 (TDSVER)").arg(tdsVersion));
  return parts.join(QStringLiteral(", "));
}

}  // namespace zr::db
