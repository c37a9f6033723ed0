#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <QtGlobal>
#include <utility>
#include <vector>

namespace zr::station {

// A log bigger than this is refused rather than read into memory whole: some
// 250 000 transfers at about a kilobyte each.
inline constexpr qint64 MaxStationLogBytes = qint64{256} * 1024 * 1024;

// One entry as the log holds it.
struct LoggedEntry {
  int line;         // counted from 1
  QByteArray text;  // the line as stored, without its end
  QJsonObject fields;
};

struct StationLogContents {
  bool missing = false;  // no log there yet
  QString error;         // why it could not be read; empty when it was
  std::vector<LoggedEntry> entries;
  // Lines that hold no JSON object: one torn by a crash or a full disk, or
  // something else's. Blank lines are no entries and are not counted.
  std::vector<int> skippedLines;
};

// The station log: a file of JSON objects, one a line (JSON Lines), appended
// to by every station run on this account.
class StationLog {
 public:
  explicit StationLog(QString path) : path_(std::move(path)) {}

  const QString& Path() const { return path_; }

  // Adds the entry as one line at the end, flushed to disk, creating the file
  // and its folders when missing. Only a regular file is written; a FIFO or a
  // device is refused without waiting on it. Returns why it could not, naming
  // the file; empty when it was written. Never raises: a log that cannot be
  // written must not end a transfer.
  QString Append(const QJsonObject& entry) const;

  // Every entry, in the order written.
  StationLogContents Read() const;

 private:
  QString path_;
};

}  // namespace zr::station
