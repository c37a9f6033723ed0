#pragma once

#include "link/station_state.h"
#include "link/transfer_host.h"
#include "record/form_values.h"

namespace zr {

// GetDataByShow for every host, the window's too: the form's values into the
// station's record and package code, with the band-change question asked
// through the host's ShowMessage (OK and Cancel with the warning icon) and the
// three-band refusal shown directly as "write error". Returns false when the
// write is refused.
bool TakeFormIntoStation(FormValues& form, StationState& state, TransferHost& host, const QString& bandChangeQuestion);

// A host whose form is plain values: what the command line, the tests and the
// benchmarks stand in for the window with. The serial-number box, the form
// into the record and back, the package-code box; boxes are answered as a
// closed window answers them (Cancel, No) unless a host says otherwise.
class FormHost : public TransferHost {
 public:
  explicit FormHost(StationState& state, AssociationMode mode = AssociationMode::NoPackageAssociation)
      : state_(state), mode_(mode) {}

  void ProcessPendingEvents() override;
  MessageButton ShowMessage(const QString& text, MessageStyle style) override;
  void ShowPlainMessage(const QString&) override {}
  void SetPortListRefresh(bool) override {}
  void ShowSerialNumber(const QString& serialNumber) override { form_.serialNumber = serialNumber; }
  bool GetDataByShow() override;
  void ShowByData() override { ShowRecordInForm(state_.FactoryRecord, form_); }
  AssociationMode SelectedMode() const override { return mode_; }
  void SetStatusLabel(const QString&) override {}
  void AdvancePackageCode() override { form_.packageCode.clear(); }

  FormValues& Form() { return form_; }

 protected:
  StationState& State() { return state_; }

 private:
  StationState& state_;
  AssociationMode mode_;
  FormValues form_;
};

}  // namespace zr
