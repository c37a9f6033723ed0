#include "app/cli/cli_host.h"

#include <QCoreApplication>

#include "lang/messages.h"
#include "app/form_into_record.h"

namespace zr::cli {

CliHost::CliHost(StationState& state, QTextStream& messages, Answers answers, bool scanCodeWrite,
                 bool messagesOnTerminal)
    : state_(state),
      messages_(messages),
      answers_(answers),
      scanCodeWrite_(scanCodeWrite),
      progress_(messages, messagesOnTerminal) {}

void CliHost::ProcessPendingEvents() { QCoreApplication::processEvents(); }

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

void CliHost::ShowSerialNumber(const QString& serialNumber) { form_.serialNumber = serialNumber; }

bool CliHost::GetDataByShow() {
  return TakeFormIntoStation(form_, state_, *this,
                             lang::BandChangeMessages().at(static_cast<std::size_t>(state_.UiLanguage)));
}

void CliHost::ShowByData() { ShowRecordInForm(state_.FactoryRecord, form_); }

AssociationMode CliHost::SelectedMode() const {
  return scanCodeWrite_ ? AssociationMode::ScanCodeWrite : AssociationMode::NoPackageAssociation;
}

void CliHost::SetStatusLabel(const QString& text) {
  progress_.Clear();
  messages_ << text << Qt::endl;
}

void CliHost::AdvancePackageCode() { form_.packageCode.clear(); }

}  // namespace zr::cli
