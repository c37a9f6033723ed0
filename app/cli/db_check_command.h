#pragma once

#include <QStringList>

namespace zr::cli {

// `db-check [--serial S] [--db-server NAME] [--db-driver NAME]`: connects to
// the package database as a scan-code write would and runs its check
// statement; with --serial also shows the package code that radio's row holds.
// Exit 0 when the connection and statement work; 7 with the driver's words
// when not. Raises UsageError for bad usage.
int RunDbCheck(const QStringList& arguments);

}  // namespace zr::cli
