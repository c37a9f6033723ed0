#pragma once

#include <QTextStream>
#include <functional>

#include "app/cli/terminal_progress.h"
#include "link/form_host.h"

namespace zr::cli {

// The command line standing in for the window: messages go to standard error
// exactly as the window would show them, questions are answered from the
// command's options, and the window's form is a plain struct.
class CliHost : public FormHost {
 public:
  struct Answers {
    bool bandChange = false;      // OK (true) or Cancel to the band-change question
    bool rebuildAssociation = false;
  };
  // scanCodeWrite: the write records its package association (--package).
  // `messagesOnTerminal`: `messages` is a terminal, where a long transfer shows its progress.
  CliHost(StationState& state, QTextStream& messages, Answers answers, bool scanCodeWrite = false,
          bool messagesOnTerminal = false);

  MessageButton ShowMessage(const QString& text, MessageStyle style) override;
  void ShowPlainMessage(const QString& text) override;
  void SetStatusLabel(const QString& text) override;
  void TransferEnded(const TransferOutcome& outcome) override {
    progress_.Clear();
    if (ended) ended(outcome);
  }
  void FrameSent(const TransferOutcome& progress, int plannedFrames) override {
    progress_.Update(progress.frames, progress.resends, plannedFrames);
  }

  // Hears how each transfer ended, before its last message shows.
  std::function<void(const TransferOutcome&)> ended;

 private:
  QTextStream& messages_;
  Answers answers_;
  TerminalProgress progress_;
};

}  // namespace zr::cli
