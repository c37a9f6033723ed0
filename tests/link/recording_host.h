#pragma once

#include <QCoreApplication>
#include <deque>
#include <vector>

#include "lang/messages.h"
#include "link/form_host.h"
#include "link/package_associations.h"
#include "record/runtime_error.h"

namespace zr::testing {

// A window stand-in that records what the transfer asks of it.
class RecordingHost : public FormHost, public PackageAssociations {
 public:
  explicit RecordingHost(StationState& state) : FormHost(state) {}

  struct Shown {
    QString text;
    bool plain;
  };

  void ProcessPendingEvents() override {
    FormHost::ProcessPendingEvents();
    if (onPump) onPump();
  }
  MessageButton ShowMessage(const QString& text, MessageStyle style) override {
    messages.push_back({text, false});
    if (style == MessageStyle::OkOnly || answers.empty()) return FormHost::ShowMessage(text, style);
    const MessageButton answer = answers.front();
    answers.pop_front();
    return answer;
  }
  void ShowPlainMessage(const QString& text) override { messages.push_back({text, true}); }
  void SetPortListRefresh(bool enabled) override { refresh.push_back(enabled); }
  bool GetDataByShow() override {
    ++takes;
    return FormHost::GetDataByShow();
  }
  AssociationMode SelectedMode() const override { return mode; }
  void SetStatusLabel(const QString& text) override { statusLabel = text; }
  void AdvancePackageCode() override {
    FormHost::AdvancePackageCode();
    ++advances;
  }
  bool SaveAssociation(const QString& serialNumber, const QString& packageCode) override {
    saves.push_back(serialNumber + QLatin1Char('|') + packageCode);
    if (databaseDown) throw RuntimeError("database unreachable");
    return true;
  }
  bool AssociationExists(const QString&, const QString&) override {
    if (databaseDown) throw RuntimeError("database unreachable");
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
