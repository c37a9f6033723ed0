#include "app/cli/cli_host.h"

namespace zr::cli {

CliHost::CliHost(StationState& state, QTextStream& messages, Answers answers, bool scanCodeWrite,
                 bool messagesOnTerminal)
    : FormHost(state, scanCodeWrite ? AssociationMode::ScanCodeWrite : AssociationMode::NoPackageAssociation),
      messages_(messages),
      answers_(answers),
      progress_(messages, messagesOnTerminal) {}

MessageButton CliHost::ShowMessage(const QString& text, MessageStyle style) {
  progress_.Clear();
  messages_ << text;
  MessageButton answer = MessageButton::None;
  if (style == MessageStyle::OkCancelWarning) {
    answer = answers_.bandChange ? MessageButton::Ok : MessageButton::Cancel;
    messages_ << (answer == MessageButton::Ok ? " -> OK" : " -> Cancel");
  } else if (style == MessageStyle::YesNo) {
    answer = answers_.rebuildAssociation ? MessageButton::Yes : MessageButton::No;
    messages_ << (answer == MessageButton::Yes ? " -> Yes" : " -> No");
  }
  messages_ << Qt::endl;
  return answer;
}

void CliHost::ShowPlainMessage(const QString& text) {
  progress_.Clear();
  messages_ << text << Qt::endl;
}

void CliHost::SetStatusLabel(const QString& text) {
  progress_.Clear();
  messages_ << text << Qt::endl;
}

}  // namespace zr::cli
