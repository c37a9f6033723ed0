#pragma once

#include <QTextStream>
#include <functional>

#include "app/cli/terminal_progress.h"
#include "link/station_state.h"
#include "link/transfer_host.h"
#include "record/form_values.h"

namespace zr::cli {

// The command line standing in for the window: messages go to standard error
// exactly as the window would show them, questions are answered from the
// command's options, and the window's form is a plain struct.
class CliHost : public TransferHost {
 public:
  struct Answers {
    bool bandChange = false;      // OK (true) or Cancel to the band-change question
    bool rebuildAssociation = false;
  };
  // scanCodeWrite: the write records its package association (--package).
  // `messagesOnTerminal`: `messages` is a terminal, where a long transfer shows its progress.
  CliHost(StationState& state, QTextStream& messages, Answers answers, bool scanCodeWrite = false,
          bool messagesOnTerminal = false);

  void ProcessPendingEvents() override;
  MessageButton ShowMessage(const QString& text, MessageStyle style) override;
  void ShowPlainMessage(const QString& text) override;
  void SetPortListRefresh(bool) override {}
  void ShowSerialNumber(const QString& serialNumber) override;
  bool GetDataByShow() override;
  void ShowByData() override;
  AssociationMode SelectedMode() const override;
  void SetStatusLabel(const QString& text) override;
  void AdvancePackageCode() override;
  void TransferEnded(const TransferOutcome& outcome) override {
    progress_.Clear();
    if (ended) ended(outcome);
  }
  void FrameSent(const TransferOutcome& progress, int plannedFrames) override {
    progress_.Update(progress.frames, progress.resends, plannedFrames);
  }

  // Hears how each transfer ended, before its last message shows.
  std::function<void(const TransferOutcome&)> ended;

  FormValues& Form() { return form_; }

 private:
  StationState& state_;
  QTextStream& messages_;
  Answers answers_;
  bool scanCodeWrite_ = false;
  FormValues form_;
  TerminalProgress progress_;
};

}  // namespace zr::cli
