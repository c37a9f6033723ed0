// What the Windows build asks of Windows itself (under Wine in CI).
#include <gtest/gtest.h>

#include <QDate>
#include <QDir>
#include <QFile>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include "platform/os_version.h"
#include "platform/regular_file.h"
#include "platform/replace_file.h"
#include "platform/settings_file.h"
#include "platform/short_date.h"

namespace zr::platform {
namespace {

TEST(WindowsSystem, ShortDateIsTheLocalesOwnWithAFourDigitYear) {
  const QDate day(2026, 12, 6);
  const std::pair<const char*, const char*> cases[] = {
      {"zh_CN", "2026/12/6"}, {"en_US", "12/6/2026"}, {"en_GB", "06/12/2026"}};
  for (const auto& [locale, text] : cases) EXPECT_EQ(ShortDateText(day, QLatin1String(locale)), text) << locale;
}

TEST(WindowsSystem, SettingsStayBesideTheProgramUnlessItIsInstalledOrItsFolderIsClosed) {
  QProcessEnvironment environment;
  environment.insert(QStringLiteral("LOCALAPPDATA"), QStringLiteral("C:\\Users\\op\\AppData\\Local"));
  const QString folder = QStringLiteral("D:/station");
  const QString beside = folder + QStringLiteral("/mysetup.ini");
  const QString own = QStringLiteral("C:/Users/op/AppData/Local/zr93kw-setfactory/mysetup.ini");
  EXPECT_EQ(SettingsPathFor({.executableDir = folder}, environment), own);
  EXPECT_EQ(SettingsPathFor({.executableDir = folder, .executableDirTakesFiles = true}, environment), beside);
  EXPECT_EQ(SettingsPathFor({.executableDir = folder, .writableFileBesideExecutable = true}, environment), beside);
  // Program Files, even when an administrator's station could write there.
  EXPECT_EQ(SettingsPathFor({.executableDir = folder, .installed = true, .executableDirTakesFiles = true}, environment),
            own);
  environment.insert(QStringLiteral("LOCALAPPDATA"), QStringLiteral("relative"));
  EXPECT_EQ(SettingsPathFor({.executableDir = folder}, environment), beside);
}

TEST(WindowsSystem, FilesAreReplacedWholeAndOnlyRegularFilesAreRead) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("mysetup.ini"));
  ASSERT_TRUE(StoreFileContents(path, "[language]\r\ncomPort=3\r\n"));
  ASSERT_TRUE(StoreFileContents(path, "[language]\r\ncomPort=12\r\n"));  // over the old one
  EXPECT_EQ(ReadRegularFile(path, 100), QByteArray("[language]\r\ncomPort=12\r\n"));
  EXPECT_EQ(ReadRegularFile(path, 10), std::nullopt);  // larger than allowed
  EXPECT_TRUE(RewriteFileInPlace(path, "x"));
  EXPECT_EQ(ReadRegularFile(path, 100), QByteArray("x"));
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"mysetup.ini"});  // no temporary left
  for (const QString& notAFile : {dir.path(), QStringLiteral("NUL"), dir.filePath(QStringLiteral("missing"))}) {
    EXPECT_EQ(ReadRegularFile(notAFile, 100), std::nullopt) << notAFile.toStdString();
    EXPECT_FALSE(RewriteFileInPlace(notAFile, "x")) << notAFile.toStdString();
  }
}

TEST(WindowsSystem, TheVersionIsTheNtPlatforms) {
  const std::optional<OsVersion> version = QueryOsVersion();
  ASSERT_TRUE(version);
  EXPECT_EQ(version->platformId, 2);
  EXPECT_GE(version->major, 6);
}

}  // namespace
}  // namespace zr::platform
