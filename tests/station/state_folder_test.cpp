#include "station/state_folder.h"

#include <gtest/gtest.h>

#include "tests/support/scoped_environment.h"

namespace zr::station {
namespace {

TEST(StateFolder, AnAbsoluteXdgStateHomeElseTheHomeFolders) {
  const test::ScopedEnvironment environment({"XDG_STATE_HOME", "HOME"});
  setenv("HOME", "/home/op", 1);
  const std::pair<const char*, const char*> cases[] = {
      {"", "/home/op/.local/state"}, {"relative/state", "/home/op/.local/state"}, {"/var/state/", "/var/state"}};
  for (const auto& [stateHome, folder] : cases) {
    setenv("XDG_STATE_HOME", stateHome, 1);
    EXPECT_EQ(StateFolder(), QLatin1String(folder) + QLatin1String("/zr93kw-setfactory")) << stateHome;
  }
}

}  // namespace
}  // namespace zr::station
