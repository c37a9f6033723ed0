#pragma once

#include <QCommandLineOption>
#include <QList>
#include <QString>
#include <QStringList>

namespace zr::cli {

// The subcommands, in the order help lists them.
QStringList SubcommandNames();

// The options a subcommand takes, with the words its --help shows; empty for
// an unknown subcommand.
QList<QCommandLineOption> SubcommandOptions(const QString& subcommand);

// What `zr93kw-setfactory SUBCOMMAND --help` prints.
QString SubcommandHelp(const QString& subcommand);

}  // namespace zr::cli
