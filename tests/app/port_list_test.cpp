// A port folder that cannot be read, as the window's refresh meets it.
#include <QComboBox>

#include "tests/support/scoped_environment.h"
#include "window_fixture.h"

namespace zr::window {
namespace {

using PortFolder = test::WindowTest;

// The refresh runs every second: a mistyped port folder is told once, and
// again only when the problem changed.
TEST_F(PortFolder, MistypedOneIsToldOncePerChangeAndListsNoPorts) {
  const zr::test::ScopedEnvironment environment{"ZR93KW_PORT_DIR"};
  const QString nope = dir.filePath(QStringLiteral("nope"));
  const QString other = dir.filePath(QStringLiteral("other"));
  qputenv("ZR93KW_PORT_DIR", nope.toLocal8Bit());
  FrmMainOptions options = Options();
  options.listPorts = EnumComPortEntries;
  ::testing::internal::CaptureStderr();
  Open(std::move(options));
  // A folder without ports has nothing to tell.
  for (const QString& folder : {nope, nope, nope, other, other, other, dir.path(), nope, nope}) {
    qputenv("ZR93KW_PORT_DIR", folder.toLocal8Bit());
    window->ReShowComPortTimer_Timer();
  }
  const QString told = QString::fromStdString(::testing::internal::GetCapturedStderr());
  EXPECT_EQ(told.count(nope), 2) << told.toStdString();
  EXPECT_EQ(told.count(other), 1) << told.toStdString();
  EXPECT_EQ(window->Combo2->count(), 0);
  EXPECT_EQ(window->State().CurrentComPort, 0);
}

}  // namespace
}  // namespace zr::window
