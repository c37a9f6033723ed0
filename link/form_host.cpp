#include "link/form_host.h"

#include <QCoreApplication>

#include "lang/messages.h"

namespace zr {

bool TakeFormIntoStation(FormValues& form, StationState& state, TransferHost& host, const QString& bandChangeQuestion) {
  const bool taken = TakeFormIntoRecord(form, state.FactoryRecord, state.PackageCode, state.TriBandCapable, [&] {
    return host.ShowMessage(bandChangeQuestion, MessageStyle::OkCancelWarning) == MessageButton::Ok;
  });
  if (!taken) host.ShowPlainMessage(lang::WriteErrorText);
  return taken;
}

bool FormHost::GetDataByShow() {
  return TakeFormIntoStation(form_, state_, *this, lang::BandChangeMessageOf(state_.UiLanguage));
}

void FormHost::ProcessPendingEvents() { QCoreApplication::processEvents(); }

MessageButton FormHost::ShowMessage(const QString&, MessageStyle style) {
  switch (style) {
    case MessageStyle::OkCancelWarning: return MessageButton::Cancel;
    case MessageStyle::YesNo: return MessageButton::No;
    case MessageStyle::OkOnly: break;
  }
  return MessageButton::None;
}

}  // namespace zr
