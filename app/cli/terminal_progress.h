#pragma once

#include <QElapsedTimer>
#include <QTextStream>

namespace zr::cli {

// A transfer's progress on one line of a terminal: "frame 12 of 32, 1 resend",
// shown only once the transfer has taken half a second (a quick one stays
// quiet) and only when the stream is a terminal (a log file gets no
// carriage returns).
class TerminalProgress {
 public:
  TerminalProgress(QTextStream& terminal, bool isTerminal) : terminal_(terminal), enabled_(isTerminal) {}

  // A frame went out; `frame` 1 starts a new transfer.
  void Update(int frame, int resends, int plannedFrames);
  // Takes the line away before anything else is written to the terminal.
  void Clear();

  static constexpr qint64 QuietMs = 500;

 private:
  QTextStream& terminal_;
  bool enabled_;
  bool shown_ = false;
  QElapsedTimer clock_;
};

}  // namespace zr::cli
