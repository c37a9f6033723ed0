#include "app/station/backup_folder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "record/field_conversions.h"
#include "record/runtime_error.h"

namespace zr::station {
namespace {

const platform::AnsiCodePage Western("windows-1252");

// 18:42:12 at UTC+8 is 10:42:12 UTC.
QDateTime StationClock() { return QDateTime(QDate(2026, 12, 6), QTime(18, 42, 12, 345), Qt::OffsetFromUTC, 8 * 3600); }

// A block whose every byte tells where it came from, holding `serial`.
FactoryImage BlockOf(const QString& serial, std::uint8_t seed = 0) {
  FactoryImage block;
  for (int i = 0; i < FactoryImageSize; ++i) block[i] = static_cast<std::uint8_t>(seed ^ (i * 7 + 3));
  FieldWriter(block, Western).PutText(0x30, serial, 16);
  return block;
}

QByteArray Contents(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

QByteArray BytesOf(const FactoryImage& block) {
  return QByteArray(reinterpret_cast<const char*>(block.Bytes().data()), FactoryImageSize);
}

class BackupFolderTest : public ::testing::Test {
 protected:
  QTemporaryDir dir;
};

TEST_F(BackupFolderTest, SavesTheWholeBlockNamedByTheSerialAndTheUtcSecond) {
  const QString folder = dir.filePath(QStringLiteral("state/backups"));  // neither exists yet
  BackupFolder backups(folder, Western, &StationClock);
  const FactoryImage block = BlockOf(QStringLiteral("SN0042"));

  const QString path = backups.Save(block);
  EXPECT_EQ(path, folder + QStringLiteral("/SN0042-20261206T104212Z.bin"));
  EXPECT_EQ(Contents(path), BytesOf(block));
}

TEST_F(BackupFolderTest, SerialsBecomeSafeFileNames) {
  const struct {
    const char* serial;
    const char* name;
  } cases[] = {
      {"SN-00_42", "SN-00_42-20261206T104212Z.bin"},
      {"../A B\\C", "___A_B_C-20261206T104212Z.bin"},
      {"", "unknown-20261206T104212Z.bin"},
  };
  for (const auto& test : cases) {
    BackupFolder backups(dir.path(), Western, &StationClock);
    EXPECT_EQ(QFileInfo(backups.Save(BlockOf(QString::fromUtf8(test.serial)))).fileName(), QString::fromUtf8(test.name))
        << test.serial;
  }
}

TEST_F(BackupFolderTest, SavesInOneSecondNeverReplaceEachOther) {
  BackupFolder backups(dir.path(), Western, &StationClock);
  const QString stem = dir.filePath(QStringLiteral("SN0042-20261206T104212Z"));
  for (std::uint8_t seed = 0; seed < 3; ++seed) {
    const FactoryImage block = BlockOf(QStringLiteral("SN0042"), seed);
    const QString expected =
        stem + (seed == 0 ? QString() : QStringLiteral("-%1").arg(seed + 1)) + QStringLiteral(".bin");
    EXPECT_EQ(backups.Save(block), expected);
  }
  // The first save still holds the first block.
  EXPECT_EQ(Contents(stem + QStringLiteral(".bin")), BytesOf(BlockOf(QStringLiteral("SN0042"), 0)));
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 3);
}

TEST_F(BackupFolderTest, AFolderThatCannotBeUsedRaisesRuntimeErrorNamingIt) {
  QFile file(dir.filePath(QStringLiteral("file.txt")));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.close();
  // A regular file where the folder should be, or above it: refused whoever runs the test.
  for (const QString& folder : {file.fileName(), file.fileName() + QStringLiteral("/backups")}) {
    BackupFolder backups(folder, Western, &StationClock);
    try {
      backups.Save(BlockOf(QStringLiteral("SN0042")));
      ADD_FAILURE() << "saved under " << folder.toStdString();
    } catch (const RuntimeError& error) {
      EXPECT_EQ(error.what(),
                QStringLiteral("cannot use the backup folder %1: Not a directory").arg(folder).toStdString());
    }
  }
}

TEST_F(BackupFolderTest, AFolderThatTakesNoFileRaisesRuntimeErrorAndLeavesNothing) {
  if (::geteuid() == 0) GTEST_SKIP() << "root writes into a read-only folder; the permission bits cannot refuse it";
  ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), 0500), 0);
  BackupFolder backups(dir.path(), Western, &StationClock);
  try {
    backups.Save(BlockOf(QStringLiteral("SN0042")));
    ADD_FAILURE() << "saved into a read-only folder";
  } catch (const RuntimeError& error) {
    EXPECT_EQ(error.what(), QStringLiteral("cannot save the backup %1/SN0042-20261206T104212Z.bin: Permission denied")
                                .arg(dir.path())
                                .toStdString());
  }
  ::chmod(QFile::encodeName(dir.path()).constData(), 0700);
  EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

}  // namespace
}  // namespace zr::station
