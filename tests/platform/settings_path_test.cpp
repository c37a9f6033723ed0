// Where the program's settings file lives: beside a program run from a folder
// of its own, in the user's configuration folder for an installed one.
#include <gtest/gtest.h>

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

// A program in a folder of its own keeps the file beside it; an installed one
// uses the user's configuration folder.
TEST(SettingsPath, BesideTheProgramOrInTheUsersConfigurationFolder) {
  const SettingsPlace installed{.executableDir = QStringLiteral("/usr/bin"), .installed = true};
  // Root may write anywhere: an installed program still never writes into its system folder.
  const SettingsPlace installedForRoot{.executableDir = QStringLiteral("/usr/bin"), .installed = true,
                                       .executableDirTakesFiles = true, .writableFileBesideExecutable = true};
  const SettingsPlace readOnlyCopy{.executableDir = QStringLiteral("/opt/station")};
  const struct {
    const char* what;
    SettingsPlace place;
    QProcessEnvironment environment;
    const char* path;
  } cases[] = {
      // A copy unpacked somewhere, or the build folder.
      {"writable folder", {.executableDir = QStringLiteral("/opt/station"), .executableDirTakesFiles = true},
       kUserEnvironment, "/opt/station/mysetup.ini"},
      {"a writable file beside a copy in a read-only folder",
       {.executableDir = QStringLiteral("/opt/station"), .writableFileBesideExecutable = true}, kUserEnvironment,
       "/opt/station/mysetup.ini"},
      {"installed, run by root", installedForRoot, Environment({{"HOME", "/root"}}),
       "/root/.config/zr93kw-setfactory/mysetup.ini"},
      {"a copy in a read-only folder", readOnlyCopy, kUserEnvironment, "/home/op/.cfg/zr93kw-setfactory/mysetup.ini"},
      {"XDG_CONFIG_HOME", installed, kUserEnvironment, "/home/op/.cfg/zr93kw-setfactory/mysetup.ini"},
      {"XDG_CONFIG_HOME with a trailing slash", installed,
       Environment({{"HOME", "/home/op"}, {"XDG_CONFIG_HOME", "/cfg/"}}), "/cfg/zr93kw-setfactory/mysetup.ini"},
      {"XDG_CONFIG_HOME unset", installed, Environment({{"HOME", "/home/op"}}),
       "/home/op/.config/zr93kw-setfactory/mysetup.ini"},
      {"XDG_CONFIG_HOME empty", installed, Environment({{"HOME", "/home/op"}, {"XDG_CONFIG_HOME", ""}}),
       "/home/op/.config/zr93kw-setfactory/mysetup.ini"},
      {"XDG_CONFIG_HOME relative", installed, Environment({{"HOME", "/home/op"}, {"XDG_CONFIG_HOME", "cfg"}}),
       "/home/op/.config/zr93kw-setfactory/mysetup.ini"},
      // Nowhere better to go: no settings file for an installed program; a
      // copy's own folder, where writes fail as they always did.
      {"no HOME", installedForRoot, Environment({{"XDG_CONFIG_HOME", "cfg"}}), ""},
      {"relative HOME", readOnlyCopy, Environment({{"HOME", "op"}}), "/opt/station/mysetup.ini"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SettingsPathFor(c.place, c.environment), QString::fromUtf8(c.path)) << c.what;
  }
}

}  // namespace
}  // namespace zr::platform
