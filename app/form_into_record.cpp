#include "app/form_into_record.h"

#include "lang/messages.h"

namespace zr {

bool TakeFormIntoStation(FormValues& form, StationState& state, TransferHost& host, const QString& bandChangeQuestion) {
  const bool taken = TakeFormIntoRecord(form, state.FactoryRecord, state.PackageCode, state.TriBandCapable, [&] {
    return host.ShowMessage(bandChangeQuestion, MessageStyle::OkCancelWarning) == MessageButton::Ok;
  });
  if (!taken) host.ShowPlainMessage(lang::WriteErrorText);
  return taken;
}

}  // namespace zr
