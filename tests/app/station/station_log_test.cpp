#include "app/station/station_log.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace zr::station {
namespace {

QJsonObject Entry(int number) {
  return {{QStringLiteral("serial"), QStringLiteral("SN%1").arg(number)}, {QStringLiteral("cause"), "a\nb"}};
}

bool Append(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  return file.open(QIODevice::Append) && file.write(bytes) == bytes.size();
}

TEST(StationLog, EachEntryIsOneLineAfterWhatIsThereAndATornLineIsEndedFirst) {
  QTemporaryDir dir;
  const StationLog log(dir.filePath(QStringLiteral("state/station-log.jsonl")));  // folders made by the first entry
  EXPECT_EQ(log.Append(Entry(1)), QString());
  ASSERT_TRUE(Append(log.Path(), "not json\n{\"serial\":\"SN"));  // a foreign line, then a station's last gasp
  EXPECT_EQ(log.Append(Entry(4)), QString());
  EXPECT_EQ(log.Append(Entry(5)), QString());

  const StationLogContents contents = log.Read();
  ASSERT_EQ(contents.entries.size(), 3u);
  for (const auto& [entry, number] : {std::pair(0, 1), std::pair(1, 4), std::pair(2, 5)}) {
    EXPECT_EQ(contents.entries[entry].line, number);
    EXPECT_EQ(contents.entries[entry].fields, Entry(number));
  }
  EXPECT_EQ(contents.skippedLines, (std::vector<int>{2, 3}));
}

// POSIX: FIFOs and the system's words for these errors.
#ifndef _WIN32
TEST(StationLog, AnythingButARegularFileIsRefusedWithoutWaiting) {
  QTemporaryDir dir;
  const QString fifo = dir.filePath(QStringLiteral("fifo"));
  ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
  ASSERT_TRUE(QDir().mkdir(dir.filePath(QStringLiteral("folder"))));
  ASSERT_TRUE(Append(dir.filePath(QStringLiteral("file.txt")), "x"));
  const std::pair<QString, const char*> cases[] = {{fifo, "not a regular file"},
                                                   {dir.filePath("folder"), "Is a directory"},
                                                   {dir.filePath("file.txt/log"), "Not a directory"}};
  for (const auto& [path, cause] : cases) {
    EXPECT_EQ(StationLog(path).Append(Entry(1)),
              QStringLiteral("cannot write the station log %1: %2").arg(path, cause));
    EXPECT_TRUE(StationLog(path).Read().error.startsWith("cannot read the station log " + path));
  }
  QFile huge(dir.filePath(QStringLiteral("huge")));
  ASSERT_TRUE(huge.open(QIODevice::WriteOnly) && huge.resize(MaxStationLogBytes + 1));  // sparse: no disk taken
  EXPECT_EQ(StationLog(huge.fileName()).Read().error,
            "cannot read the station log " + huge.fileName() + ": larger than 256 MiB");
}
#endif

}  // namespace
}  // namespace zr::station
