#include "app/cli/cli_host.h"

#include <QCoreApplication>

#include "lang/messages.h"
#include "link/window_into_record.h"

namespace zr::cli {

CliHost::CliHost(StationState& state, QTextStream& messages, Answers answers, Database database)
    : state_(state), messages_(messages), answers_(answers), database_(std::move(database)) {}

void CliHost::ProcessPendingEvents() { QCoreApplication::processEvents(); }

void CliHost::Note(const QString& text) {
  if (text == lang::ReadCompleteText || text == lang::WriteCompleteText) {
    result_ = TransferResult::Success;
  } else if (text == lang::CannotOpenPortText) {
    result_ = TransferResult::CannotOpenPort;
  } else if (text == lang::CommunicationFailedText) {
    result_ = TransferResult::CommunicationFailed;
  } else if (text == lang::WriteErrorText) {
    result_ = TransferResult::WriteRefused;
  } else if (text == lang::ModelTypeErrorText(1) || text == lang::ModelTypeErrorText(2)) {
    result_ = TransferResult::ModelError;
  }
  messages_ << text;
}

int CliHost::ShowMessage(const QString& text, int style) {
  Note(text);
  int answer = MessageButton::None;
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
  Note(text);
  messages_ << Qt::endl;
}

void CliHost::ShowSerialNumber(const QString& serialNumber) { fields_.Text1[TextBox::SerialNumber] = serialNumber; }

bool CliHost::GetDataByShow() {
  return TakeWindowIntoRecord(fields_, state_, *this,
                              lang::BandChangeMessages().at(static_cast<std::size_t>(state_.UiLanguage)));
}

void CliHost::ShowByData() { ShowRecordInFields(state_.FactoryRecord, fields_); }

AssociationMode CliHost::SelectedMode() const {
  return database_.saveAssociation ? AssociationMode::ScanCodeWrite : AssociationMode::NoPackageAssociation;
}

void CliHost::SetStatusLabel(const QString& text) {
  // The write is done; a missing association was already reported by its question.
  if (result_ != TransferResult::AssociationMissing) result_ = TransferResult::Success;
  messages_ << text << Qt::endl;
}

void CliHost::AdvancePackageCode() { fields_.Text1[TextBox::PackageCode].clear(); }

bool CliHost::SaveAssociation(const QString& serialNumber, const QString& packageCode) {
  return database_.saveAssociation(serialNumber, packageCode);
}

bool CliHost::AssociationExists(const QString& serialNumber, const QString& packageCode) {
  const bool exists = database_.associationExists(serialNumber, packageCode);
  result_ = exists ? TransferResult::Success : TransferResult::AssociationMissing;
  return exists;
}

}  // namespace zr::cli
