#include "app/station/station_log.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QTemporaryDir>

namespace zr::station {
namespace {

QJsonObject Entry(int number) {
  return QJsonObject{{QStringLiteral("serial"), QStringLiteral("SN%1").arg(number)},
                     {QStringLiteral("cause"), QStringLiteral("line one\nline two")}};
}

bool WriteFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray Contents(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class StationLogTest : public ::testing::Test {
 protected:
  QTemporaryDir dir;
};

TEST_F(StationLogTest, EachEntryIsOneLineAddedAfterWhatIsThere) {
  const StationLog fresh(dir.filePath(QStringLiteral("state/zr93kw-setfactory/station-log.jsonl")));
  EXPECT_EQ(fresh.Append(Entry(1)), QString());  // creates the folders and the file
  EXPECT_EQ(fresh.Append(Entry(2)), QString());
  const QByteArray before = Contents(fresh.Path());
  EXPECT_EQ(fresh.Append(Entry(3)), QString());

  const QByteArray after = Contents(fresh.Path());
  EXPECT_TRUE(after.startsWith(before));
  EXPECT_EQ(after.count('\n'), 3);
  const StationLogContents contents = fresh.Read();
  ASSERT_EQ(contents.entries.size(), 3u);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(contents.entries[static_cast<std::size_t>(i)].line, i + 1);
    EXPECT_EQ(contents.entries[static_cast<std::size_t>(i)].fields, Entry(i + 1));
  }
  EXPECT_TRUE(contents.skippedLines.empty());
}

TEST_F(StationLogTest, AnEntryAfterATornLineStartsALineOfItsOwn) {
  const StationLog log(dir.filePath(QStringLiteral("station-log.jsonl")));
  ASSERT_TRUE(WriteFile(log.Path(), QJsonDocument(Entry(1)).toJson(QJsonDocument::Compact) + "\n{\"serial\":\"SN"));
  EXPECT_EQ(log.Append(Entry(3)), QString());

  const StationLogContents contents = log.Read();
  ASSERT_EQ(contents.entries.size(), 2u);
  EXPECT_EQ(contents.entries[1].line, 3);
  EXPECT_EQ(contents.entries[1].fields, Entry(3));
  EXPECT_EQ(contents.skippedLines, std::vector<int>{2});
}

TEST_F(StationLogTest, LinesThatHoldNoEntryAreSkippedByNumber) {
  const StationLog log(dir.filePath(QStringLiteral("station-log.jsonl")));
  ASSERT_TRUE(WriteFile(log.Path(), "not json\n[1, 2]\n\n{\"serial\":\"SN4\"}\n\"text\"\n{\"serial\":"));
  const StationLogContents contents = log.Read();
  ASSERT_EQ(contents.entries.size(), 1u);
  EXPECT_EQ(contents.entries[0].line, 4);
  EXPECT_EQ(contents.entries[0].text, QByteArray("{\"serial\":\"SN4\"}"));
  EXPECT_EQ(contents.skippedLines, (std::vector<int>{1, 2, 5, 6}));
}

TEST_F(StationLogTest, AnythingButARegularFileIsRefusedWithoutWaiting) {
  const QString fifo = dir.filePath(QStringLiteral("fifo.jsonl"));
  ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
  const QString folder = dir.filePath(QStringLiteral("folder.jsonl"));
  ASSERT_TRUE(QDir().mkdir(folder));
  const QString underAFile = dir.filePath(QStringLiteral("file.txt/station-log.jsonl"));
  ASSERT_TRUE(WriteFile(dir.filePath(QStringLiteral("file.txt")), "x"));
  const struct {
    QString path;
    const char* cause;
  } cases[] = {{fifo, "not a regular file"}, {folder, "Is a directory"}, {underAFile, "Not a directory"}};
  for (const auto& test : cases) {
    const StationLog log(test.path);
    EXPECT_EQ(log.Append(Entry(1)),
              QStringLiteral("cannot write the station log %1: %2").arg(test.path, QLatin1String(test.cause)));
    const StationLogContents contents = log.Read();
    EXPECT_TRUE(contents.error.startsWith(QStringLiteral("cannot read the station log %1: ").arg(test.path)))
        << contents.error.toStdString();
    EXPECT_FALSE(contents.missing);
  }
}

TEST_F(StationLogTest, AMissingLogIsNoErrorAndAHugeOneIsNotRead) {
  const StationLog missing(dir.filePath(QStringLiteral("station-log.jsonl")));
  EXPECT_TRUE(missing.Read().missing);
  EXPECT_EQ(missing.Read().error, QString());

  QFile huge(dir.filePath(QStringLiteral("huge.jsonl")));
  ASSERT_TRUE(huge.open(QIODevice::WriteOnly) && huge.resize(MaxStationLogBytes + 1));  // sparse: no disk taken
  huge.close();
  EXPECT_EQ(StationLog(huge.fileName()).Read().error,
            QStringLiteral("cannot read the station log %1: larger than 256 MiB").arg(huge.fileName()));
}

}  // namespace
}  // namespace zr::station
