#include "app/station/state_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/support/scoped_environment.h"

namespace zr::station {
namespace {

TEST(StateFolder, FollowsAnAbsoluteXdgStateHomeElseTheHomeFolder) {
  const test::ScopedEnvironment environment({"XDG_STATE_HOME", "HOME"});
  setenv("HOME", "/home/operator", 1);
  const struct {
    const char* stateHome;  // null: unset
    const char* folder;
  } cases[] = {
      {nullptr, "/home/operator/.local/state/zr93kw-setfactory"},
      {"", "/home/operator/.local/state/zr93kw-setfactory"},
      {"relative/state", "/home/operator/.local/state/zr93kw-setfactory"},
      {"/var/lib/station/", "/var/lib/station/zr93kw-setfactory"},
  };
  for (const auto& test : cases) {
    test.stateHome ? setenv("XDG_STATE_HOME", test.stateHome, 1) : unsetenv("XDG_STATE_HOME");
    EXPECT_EQ(StateFolder(), QLatin1String(test.folder)) << (test.stateHome ? test.stateHome : "(unset)");
  }
  EXPECT_EQ(DefaultBackupFolder(), QLatin1String("/var/lib/station/zr93kw-setfactory/backups"));
  EXPECT_EQ(DefaultStationLogPath(), QLatin1String("/var/lib/station/zr93kw-setfactory/station-log.jsonl"));
}

}  // namespace
}  // namespace zr::station
