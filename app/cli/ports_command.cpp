#include "app/cli/ports_command.h"

#include <QCommandLineParser>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

#include "app/cli/cli_options.h"
#include "app/cli/exit_status.h"
#include "link/port_list.h"
#include "platform/serial_devices.h"
#include "platform/settings_file.h"

namespace zr::cli {

int RunPorts(const QStringList& arguments) {
  QTextStream out(stdout);
  QTextStream err(stderr);
  QCommandLineParser parser;
  ParseSubcommandOptions(parser, arguments, FrontEnd::Ports);
  if (const QString portDirectory = platform::PortDirectoryError(); !portDirectory.isEmpty()) {
    err << "zr93kw-setfactory: " << portDirectory << '\n';
    return ExitStatus::Usage;
  }
  const auto details = platform::SystemPortDetails();
  const QString settings = platform::ProgramSettingsPath(platform::SettingsFolder::kLeaveAlone);
  if (parser.isSet(QStringLiteral("json"))) {
    QJsonArray ports;
    for (const PortListEntry& entry : EnumComPortEntries()) {
      QJsonObject port{{QStringLiteral("name"), entry.name}, {QStringLiteral("device"), entry.device}};
      for (const PortFact& fact : PortFacts(platform::DetailsOf(details, entry.device))) {
        port.insert(fact.key, fact.value);
      }
      ports.append(port);
    }
    out << QJsonDocument(QJsonObject{{QStringLiteral("ports"), ports}, {QStringLiteral("settings"), settings}})
               .toJson(QJsonDocument::Indented);
  } else {
    for (const PortListEntry& entry : EnumComPortEntries()) {
      out << qSetFieldWidth(7) << Qt::left << entry.name << qSetFieldWidth(0) << entry.device;
      for (const PortFact& fact : PortFacts(platform::DetailsOf(details, entry.device))) {
        if (!fact.value.isEmpty()) out << "  " << fact.value;
      }
      out << '\n';
    }
    out << "Settings: " << settings << '\n';
  }
  out.flush();
  return out.status() == QTextStream::Ok ? ExitStatus::Success : ExitStatus::OutputFailed;
}

}  // namespace zr::cli
