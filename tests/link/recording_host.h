#pragma once

#include <QCoreApplication>
#include <deque>
#include <stdexcept>
#include <vector>

#include "lang/messages.h"
#include "link/package_associations.h"
#include "link/station_state.h"
#include "link/transfer_host.h"
#include "record/form_values.h"

namespace zr::testing {

// A window stand-in that records what the transfer asks of it.
class RecordingHost : public TransferHost, public PackageAssociations {
 public:
  explicit RecordingHost(StationState& state) : state_(state) {}

  struct Shown {
    QString text;
    bool plain;
  };

  void ProcessPendingEvents() override {
    QCoreApplication::processEvents();
    if (onPump) onPump();
  }
  MessageButton ShowMessage(const QString& text, MessageStyle style) override {
    messages.push_back({text, false});
    if (style == MessageStyle::OkOnly) return MessageButton::None;
    if (answers.empty()) return style == MessageStyle::YesNo ? MessageButton::No : MessageButton::Cancel;
    const MessageButton answer = answers.front();
    answers.pop_front();
    return answer;
  }
  void ShowPlainMessage(const QString& text) override { messages.push_back({text, true}); }
  void SetPortListRefresh(bool enabled) override { refresh.push_back(enabled); }
  void ShowSerialNumber(const QString& serialNumber) override { form.serialNumber = serialNumber; }
  bool GetDataByShow() override {
    ++takes;
    // As the window does it: the band question through ShowMessage, the refusal plainly.
    const bool taken = TakeFormIntoRecord(form, state_.FactoryRecord, state_.PackageCode, state_.TriBandCapable, [&] {
      return ShowMessage(QStringLiteral("band?"), MessageStyle::OkCancelWarning) == MessageButton::Ok;
    });
    if (!taken) ShowPlainMessage(lang::WriteErrorText);
    return taken;
  }
  void ShowByData() override { ShowRecordInForm(state_.FactoryRecord, form); }
  AssociationMode SelectedMode() const override { return mode; }
  void SetStatusLabel(const QString& text) override { statusLabel = text; }
  void AdvancePackageCode() override { form.packageCode.clear(); ++advances; }
  bool SaveAssociation(const QString& serialNumber, const QString& packageCode) override {
    saves.push_back(serialNumber + QLatin1Char('|') + packageCode);
    if (databaseDown) throw std::runtime_error("database unreachable");
    return true;
  }
  bool AssociationExists(const QString&, const QString&) override {
    if (databaseDown) throw std::runtime_error("database unreachable");
    if (existsAnswers.empty()) return true;
    const bool exists = existsAnswers.front();
    existsAnswers.pop_front();
    return exists;
  }

  QStringList Texts() const {
    QStringList texts;
    for (const Shown& shown : messages) texts << shown.text;
    return texts;
  }

  FormValues form;
  AssociationMode mode = AssociationMode::NoPackageAssociation;
  std::vector<Shown> messages;
  std::deque<MessageButton> answers;
  std::deque<bool> existsAnswers;
  std::vector<bool> refresh;
  std::vector<QString> saves;
  std::function<void()> onPump;
  QString statusLabel;
  int takes = 0;
  int advances = 0;
  bool databaseDown = false;

 private:
  StationState& state_;
};

}  // namespace zr::testing
