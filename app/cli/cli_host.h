#pragma once

#include <QTextStream>
#include <functional>

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
  // The database calls of scan-code write mode; unset in the no package association mode.
  struct Database {
    std::function<bool(const QString&, const QString&)> saveAssociation;
    std::function<bool(const QString&, const QString&)> associationExists;
  };

  CliHost(StationState& state, QTextStream& messages, Answers answers, Database database = {});

  void ProcessPendingEvents() override;
  int ShowMessage(const QString& text, int style) override;
  void ShowPlainMessage(const QString& text) override;
  void SetPortListRefresh(bool) override {}
  void ShowSerialNumber(const QString& serialNumber) override;
  bool GetDataByShow() override;
  void ShowByData() override;
  AssociationMode SelectedMode() const override;
  void SetStatusLabel(const QString& text) override;
  void AdvancePackageCode() override;
  bool SaveAssociation(const QString& serialNumber, const QString& packageCode) override;
  bool AssociationExists(const QString& serialNumber, const QString& packageCode) override;

  FormValues& Form() { return form_; }

 private:
  StationState& state_;
  QTextStream& messages_;
  Answers answers_;
  Database database_;
  FormValues form_;
};

}  // namespace zr::cli
