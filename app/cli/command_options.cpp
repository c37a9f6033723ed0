#include "app/cli/command_options.h"

#include "app/cli/field_arguments.h"

namespace zr::cli {

namespace {

QString Text(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

QString Description(FrontEnd subcommand) {
  switch (subcommand) {
    case FrontEnd::Window: return QString();
    case FrontEnd::Read: return QStringLiteral("Reads the radio's factory block and prints its fields.");
    case FrontEnd::Write:
      return QStringLiteral(
          "Writes the radio: reads it first and changes only what --set names, saves its block to the backup\n"
          "folder, then writes. --from-defaults writes the window's start-up values instead.");
    case FrontEnd::Undo:
      return QStringLiteral(
          "Puts back the block the radio on the port held before its last write in the station log (that\n"
          "write's backup), as --image writes a block file. The undo is logged and backed up like any write,\n"
          "so a second undo puts back what the first replaced.");
    case FrontEnd::Ports:
      return QStringLiteral("Lists the serial ports as the window does, with what the system knows of each.");
    case FrontEnd::Log: return QStringLiteral("Shows the station log: one row for each transfer.");
    case FrontEnd::DbCheck: return QStringLiteral("Tries the package database the way a scan-code write reaches it.");
  }
  return QString();
}

}  // namespace

QString NameOf(FrontEnd frontEnd) {
  switch (frontEnd) {
    case FrontEnd::Window: return QString();
    case FrontEnd::Read: return QStringLiteral("read");
    case FrontEnd::Write: return QStringLiteral("write");
    case FrontEnd::Undo: return QStringLiteral("undo");
    case FrontEnd::Ports: return QStringLiteral("ports");
    case FrontEnd::Log: return QStringLiteral("log");
    case FrontEnd::DbCheck: return QStringLiteral("db-check");
  }
  return QString();
}

QStringList SubcommandNames() {
  QStringList names;
  for (FrontEnd frontEnd : FrontEnds) {
    if (frontEnd != FrontEnd::Window) names << NameOf(frontEnd);
  }
  return names;
}

std::optional<FrontEnd> SubcommandNamed(const QString& name) {
  for (FrontEnd frontEnd : FrontEnds) {
    if (frontEnd != FrontEnd::Window && NameOf(frontEnd) == name) return frontEnd;
  }
  return std::nullopt;
}

QList<QCommandLineOption> OptionsOf(FrontEnd frontEnd) {
  QList<QCommandLineOption> options;
  for (const CommandOption& option : CommandOptions) {
    if (option.Takes(frontEnd)) {
      options.append(QCommandLineOption(Text(option.name), Text(option.help), Text(option.valueName)));
    }
  }
  return options;
}

bool TakesValue(const QString& argument) {
  if (!argument.startsWith(QLatin1String("--"))) return false;
  for (const CommandOption& option : CommandOptions) {
    if (!option.valueName.empty() && argument.mid(2) == Text(option.name)) return true;
  }
  return false;
}

QString ParseOptions(QCommandLineParser& parser, const QStringList& arguments, FrontEnd frontEnd) {
  parser.addOptions(OptionsOf(frontEnd));
  if (!parser.parse(arguments)) return parser.errorText();
  if (!parser.positionalArguments().isEmpty()) {
    return QStringLiteral("unexpected argument '%1'").arg(parser.positionalArguments().front());
  }
  const QStringList given = parser.optionNames();
  for (const CommandOption& option : CommandOptions) {
    const QString name = Text(option.name);
    if (option.Takes(frontEnd) && !option.repeats && given.count(name) > 1) {
      return QStringLiteral("--%1 is given more than once").arg(name);
    }
  }
  return QString();
}

QString WindowOptionsHelp() {
  QCommandLineParser parser;
  parser.addOptions(OptionsOf(FrontEnd::Window));
  // Qt's list, as each subcommand's help has it, without Qt's usage line.
  const QString help = parser.helpText();
  return QStringLiteral("Options of the window:\n") + help.mid(help.indexOf(QLatin1String("\n  ")) + 1);
}

QString SubcommandHelp(FrontEnd subcommand) {
  const QString name = NameOf(subcommand);
  QCommandLineParser parser;
  parser.setApplicationDescription(Description(subcommand));
  parser.addPositionalArgument(name, QString(), name);
  parser.addOptions(OptionsOf(subcommand));
  parser.addHelpOption();
  return parser.helpText() + (subcommand == FrontEnd::Write ? SettableFieldsHelp() : QString());
}

}  // namespace zr::cli
