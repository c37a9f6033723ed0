// Where the program's settings file lives: beside a program run from a folder
// of its own, in the user's configuration folder for an installed one.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QProcessEnvironment>

#include "platform/settings_file.h"

namespace zr::platform {
namespace {

QProcessEnvironment Environment(std::initializer_list<std::pair<const char*, const char*>> variables) {
  QProcessEnvironment environment;
  for (const auto& [name, value] : variables) environment.insert(QString::fromUtf8(name), QString::fromUtf8(value));
  return environment;
}

const QProcessEnvironment kUserEnvironment =
    Environment({{"HOME", "/home/op"}, {"XDG_CONFIG_HOME", "/home/op/.cfg"}});

TEST(SettingsPath, AProgramInAFolderOfItsOwnKeepsTheFileBesideIt) {
  // Writable folder: a copy unpacked somewhere, or the build folder.
  EXPECT_EQ(SettingsPathFor({.executableDir = QStringLiteral("/opt/station"), .executableDirTakesFiles = true},
                            kUserEnvironment),
            QStringLiteral("/opt/station/mysetup.ini"));
  // A file an administrator put beside an installed program, writable by the operators.
  EXPECT_EQ(SettingsPathFor({.executableDir = QStringLiteral("/usr/bin"), .writableFileBesideExecutable = true},
                            kUserEnvironment),
            QStringLiteral("/usr/bin/mysetup.ini"));
}

TEST(SettingsPath, AnInstalledProgramUsesTheUsersConfigurationFolder) {
  const SettingsPlace installed{.executableDir = QStringLiteral("/usr/bin")};
  const struct {
    const char* what;
    QProcessEnvironment environment;
    const char* path;
  } cases[] = {
      {"XDG_CONFIG_HOME", kUserEnvironment, "/home/op/.cfg/zr93kw-setfactory/mysetup.ini"},
      {"XDG_CONFIG_HOME with a trailing slash", Environment({{"HOME", "/home/op"}, {"XDG_CONFIG_HOME", "/cfg/"}}),
       "/cfg/zr93kw-setfactory/mysetup.ini"},
      {"XDG_CONFIG_HOME unset", Environment({{"HOME", "/home/op"}}),
       "/home/op/.config/zr93kw-setfactory/mysetup.ini"},
      {"XDG_CONFIG_HOME empty", Environment({{"HOME", "/home/op"}, {"XDG_CONFIG_HOME", ""}}),
       "/home/op/.config/zr93kw-setfactory/mysetup.ini"},
      {"XDG_CONFIG_HOME relative", Environment({{"HOME", "/home/op"}, {"XDG_CONFIG_HOME", "cfg"}}),
       "/home/op/.config/zr93kw-setfactory/mysetup.ini"},
      // Nowhere better to go: the old place, where writes fail as they always did.
      {"no HOME", Environment({{"XDG_CONFIG_HOME", "cfg"}}), "/usr/bin/mysetup.ini"},
      {"relative HOME", Environment({{"HOME", "op"}}), "/usr/bin/mysetup.ini"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SettingsPathFor(installed, c.environment), QString::fromUtf8(c.path)) << c.what;
  }
}

// The test runs from its build folder, which takes files.
TEST(SettingsPath, TheRunningProgramsFileIsFoundFromItsOwnFolder) {
  EXPECT_EQ(ProgramSettingsPath(SettingsFolder::kLeaveAlone),
            QCoreApplication::applicationDirPath() + QStringLiteral("/mysetup.ini"));
}

}  // namespace
}  // namespace zr::platform
