#pragma once

#include <QString>

#include "link/station_state.h"
#include "link/transfer_host.h"
#include "record/form_values.h"

namespace zr {

// GetDataByShow for the window and the command line: the form's values into
// the station's record and package code, with the band-change question asked
// through the host's ShowMessage (OK and Cancel with the warning icon) and the
// three-band refusal shown directly as "write error". Returns false when the
// write is refused.
bool TakeFormIntoStation(FormValues& form, StationState& state, TransferHost& host, const QString& bandChangeQuestion);

}  // namespace zr
