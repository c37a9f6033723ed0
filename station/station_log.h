#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QJsonObject>
#include <QString>
#include <QtGlobal>
#include <system_error>
#include <utility>
#include <vector>

#include "station/file_result.h"

namespace zr::station {

// The longest line read as an entry. The station's entries take a few
// kilobytes; a longer line is something else's, and is not held in memory.
inline constexpr qsizetype MaxLogLineBytes = 1024 * 1024;

// One line of the log as read.
struct LogLine {
  qint64 number = 0;    // counted from 1
  QByteArrayView text;  // without its end; valid until the next line is read
  bool whole = true;    // false for a line over MaxLogLineBytes, whose text is not kept
};

// The station log: a file of JSON objects, one a line (JSON Lines), appended
// to by every station run on this account.
class StationLog {
 public:
  explicit StationLog(QString path) : path_(std::move(path)) {}

  const QString& Path() const { return path_; }

  // Adds the entry as one line at the end, flushed to disk, creating the file
  // and its folders when missing. Only a regular file is written; a FIFO or a
  // device is refused without waiting on it. Fails saying why, naming the
  // file. Never raises: a log that cannot be
  // written must not end a transfer.
  FileResult<> Append(const QJsonObject& entry) const;

 private:
  QString path_;
};

// Reads the station log a line at a time through a buffer of a fixed size,
// however long the log has grown.
class StationLogReader {
 public:
  // Opens the log; a FIFO or a device is refused without waiting on it.
  explicit StationLogReader(const QString& path);
  ~StationLogReader();
  StationLogReader(const StationLogReader&) = delete;
  StationLogReader& operator=(const StationLogReader&) = delete;

  bool Missing() const { return missing_; }  // no log there yet
  // Why the log could not be opened or read on, naming it; empty while it can.
  const QString& Error() const { return error_; }

  // The next line; false at the end of the log or when reading failed.
  bool Next(LogLine& line);

  // Back to the first line for another pass, which ends where the first one
  // did: entries appended meanwhile are seen by neither.
  void Rewind();

 private:
  void Fail(const std::error_code& error);

  QString path_;
  int fd_ = -1;
  bool missing_ = false;
  QString error_;
  std::vector<char> buffer_;
  qsizetype begin_ = 0;  // the unread bytes in `buffer_`
  qsizetype end_ = 0;
  qint64 number_ = 0;
  qint64 consumed_ = 0;  // bytes read from the file in this pass
  qint64 limit_ = -1;    // bytes a pass reads at most; -1: to the end
  bool atEnd_ = false;
  bool overlong_ = false;  // inside a line over MaxLogLineBytes
};

}  // namespace zr::station
