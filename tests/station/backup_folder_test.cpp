#include "station/backup_folder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "record/field_conversions.h"
#include "record/runtime_error.h"

namespace zr::station {
namespace {

const platform::AnsiCodePage Western(1252);

// 18:42:12 at UTC+8 is 10:42:12 UTC.
QDateTime StationClock() { return QDateTime(QDate(2026, 12, 6), QTime(18, 42, 12, 345), Qt::OffsetFromUTC, 8 * 3600); }

// A block whose every byte tells where it came from, holding `serial`.
FactoryImage BlockOf(const char* serial, std::uint8_t seed = 0) {
  FactoryImage block;
  for (int i = 0; i < FactoryImageSize; ++i) block[i] = static_cast<std::uint8_t>(seed ^ (i * 7 + 3));
  FieldWriter(block, Western).PutText(0x30, QString::fromLatin1(serial), 16);
  return block;
}

QByteArray Saved(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray BytesOf(const FactoryImage& block) {
  return QByteArray(reinterpret_cast<const char*>(block.Bytes().data()), FactoryImageSize);
}

// Saves in one second never replace each other.
TEST(BackupFolder, SavesTheWholeBlockNamedBySafeSerialAndUtcSecond) {
  QTemporaryDir dir;
  const QString folder = dir.filePath(QStringLiteral("state/backups"));  // made by the first save
  BackupFolder backups(folder, Western, &StationClock);
  const std::pair<const char*, const char*> cases[] = {
      {"SN-00_42", "SN-00_42"}, {"../A B\\C", "___A_B_C"}, {"", "unknown"}};
  for (const auto& [serial, name] : cases) {
    const QString path = backups.Save(BlockOf(serial));
    EXPECT_EQ(path, QStringLiteral("%1/%2-20261206T104212Z.bin").arg(folder, QLatin1String(name)));
    EXPECT_EQ(Saved(path), BytesOf(BlockOf(serial)));
  }
  const QString stem = folder + QStringLiteral("/SN-00_42-20261206T104212Z");
  EXPECT_EQ(backups.Save(BlockOf("SN-00_42", 2)), stem + QStringLiteral("-2.bin"));
  EXPECT_EQ(backups.Save(BlockOf("SN-00_42", 3)), stem + QStringLiteral("-3.bin"));
  EXPECT_EQ(Saved(stem + QStringLiteral(".bin")), BytesOf(BlockOf("SN-00_42")));
}

TEST(BackupFolder, AFolderThatCannotBeUsedRaisesRuntimeErrorNamingIt) {
  QTemporaryDir dir;
  const QString file = dir.filePath(QStringLiteral("file.txt"));
  ASSERT_TRUE(QFile(file).open(QIODevice::WriteOnly));
  // A regular file where the folder should be, or above it: refused even to root.
  for (const QString& folder : {file, file + QStringLiteral("/backups")}) {
    try {
      BackupFolder(folder, Western, &StationClock).Save(BlockOf("SN0042"));
      ADD_FAILURE() << "saved under " << folder.toStdString();
    } catch (const RuntimeError& error) {
      EXPECT_EQ(error.what(), "cannot use the backup folder " + folder.toStdString() + ": Not a directory");
    }
  }
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"file.txt"});
}

}  // namespace
}  // namespace zr::station
