#include "app/cli/ports_command.h"

#include <QCommandLineParser>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

#include "app/cli/cli_options.h"
#include "app/cli/exit_status.h"
#include "app/window/port_list.h"
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
    for (const window::PortListEntry& entry : window::EnumComPortEntries()) {
      const platform::SerialPortDetails port = platform::DetailsOf(details, entry.device);
      ports.append(QJsonObject{{QStringLiteral("name"), entry.name},
                               {QStringLiteral("device"), entry.device},
                               {QStringLiteral("description"), port.description},
                               {QStringLiteral("manufacturer"), port.manufacturer},
                               {QStringLiteral("usbId"), port.usbId},
                               {QStringLiteral("serialNumber"), port.serialNumber}});
    }
    out << QJsonDocument(QJsonObject{{QStringLiteral("ports"), ports}, {QStringLiteral("settings"), settings}})
               .toJson(QJsonDocument::Indented);
  } else {
    for (const window::PortListEntry& entry : window::EnumComPortEntries()) {
      const platform::SerialPortDetails port = platform::DetailsOf(details, entry.device);
      out << qSetFieldWidth(7) << Qt::left << entry.name << qSetFieldWidth(0) << entry.device;
      for (const QString& known : {port.description, port.manufacturer, port.usbId, port.serialNumber}) {
        if (!known.isEmpty()) out << "  " << known;
      }
      out << '\n';
    }
    out << "Settings: " << settings << '\n';
  }
  out.flush();
  return out.status() == QTextStream::Ok ? ExitStatus::Success : ExitStatus::OutputFailed;
}

}  // namespace zr::cli
