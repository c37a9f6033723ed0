#pragma once

#include <QCoreApplication>

#include "lang/messages.h"
#include "link/form_host.h"
#include "link/package_associations.h"
#include "record/runtime_error.h"
#include "tests/support/scripted_answers.h"

namespace zr::testing {

// A window stand-in that records what the transfer asks of it.
class RecordingHost : public FormHost, public PackageAssociations {
 public:
  explicit RecordingHost(StationState& state) : FormHost(state) {}

  struct Shown {
    QString text;
    bool plain;
  };

  void ProcessPendingEvents() override { FormHost::ProcessPendingEvents(); if (onPump) onPump(); }
  MessageButton ShowMessage(const QString& text, MessageStyle style) override {
    messages.push_back({text, false});
    const MessageButton closed = FormHost::ShowMessage(text, style);  // as a closed window answers
    return style == MessageStyle::OkOnly ? closed : test::NextAnswer(answers, closed);
  }
  void ShowPlainMessage(const QString& text) override { messages.push_back({text, true}); }
  void SetPortListRefresh(bool enabled) override { refresh.push_back(enabled); }
  bool GetDataByShow() override { ++takes; return FormHost::GetDataByShow(); }
  AssociationMode SelectedMode() const override { return mode; }
  void SetStatusLabel(const QString& text) override { statusLabel = text; }
  void AdvancePackageCode() override { FormHost::AdvancePackageCode(); ++advances; }
  bool SaveAssociation(const QString& serialNumber, const QString& packageCode) override {
    saves.push_back(serialNumber + QLatin1Char('|') + packageCode);
    if (databaseDown) throw RuntimeError("database unreachable");
    return true;
  }
  bool AssociationExists(const QString&, const QString&) override {
    if (databaseDown) throw RuntimeError("database unreachable");
    return test::NextAnswer(existsAnswers, true);
  }

  QStringList Texts() const { return test::TextsOf(messages); }

  FormValues& form = Form();
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
};

}  // namespace zr::testing
