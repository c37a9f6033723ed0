#include "station/station_log.h"

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

// Every line of the log by its number, as read.
std::vector<std::pair<qint64, QByteArray>> Lines(StationLogReader& reader) {
  std::vector<std::pair<qint64, QByteArray>> lines;
  LogLine line;
  while (reader.Next(line)) lines.emplace_back(line.number, line.whole ? line.text.toByteArray() : "(too long)");
  return lines;
}

TEST(StationLog, EachEntryIsOneLineAfterWhatIsThereAndATornLineIsEndedFirst) {
  QTemporaryDir dir;
  const StationLog log(dir.filePath(QStringLiteral("state/station-log.jsonl")));  // folders made by the first entry
  EXPECT_TRUE(log.Append(Entry(1)).Ok());
  ASSERT_TRUE(Append(log.Path(), "not json\n{\"serial\":\"SN"));  // a foreign line, then a station's last gasp
  EXPECT_TRUE(log.Append(Entry(4)).Ok());

  StationLogReader reader(log.Path());
  const QByteArray first = R"({"cause":"a\nb","serial":"SN1"})";
  EXPECT_EQ(Lines(reader), (std::vector<std::pair<qint64, QByteArray>>{
                               {1, first}, {2, "not json"}, {3, "{\"serial\":\"SN"}, {4, R"({"cause":"a\nb","serial":"SN4"})"}}));
  // A second pass ends where the first one did.
  EXPECT_TRUE(log.Append(Entry(5)).Ok());
  reader.Rewind();
  EXPECT_EQ(Lines(reader).size(), 4u);
  EXPECT_EQ(reader.Error(), QString());
}

// However long the log, and however long one of its lines, the reader holds
// one line of at most MaxLogLineBytes.
TEST(StationLog, ALogOfAnySizeIsReadALineAtATime) {
  QTemporaryDir dir;
  QFile huge(dir.filePath(QStringLiteral("huge")));
  ASSERT_TRUE(huge.open(QIODevice::WriteOnly) && huge.resize(3 * MaxLogLineBytes));  // sparse: no disk taken
  huge.close();
  ASSERT_TRUE(Append(huge.fileName(), "\n{}\nlast"));
  StationLogReader reader(huge.fileName());
  EXPECT_EQ(Lines(reader), (std::vector<std::pair<qint64, QByteArray>>{{1, "(too long)"}, {2, "{}"}, {3, "last"}}));
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
    EXPECT_EQ(StationLog(path).Append(Entry(1)).Why(),
              QStringLiteral("cannot write the station log %1: %2").arg(path, cause));
    const StationLogReader reader(path);
    EXPECT_TRUE(reader.Error().startsWith("cannot read the station log " + path)) << reader.Error().toStdString();
    EXPECT_FALSE(reader.Missing());
  }
  EXPECT_TRUE(StationLogReader(dir.filePath(QStringLiteral("none"))).Missing());
}
#endif

}  // namespace
}  // namespace zr::station
