#pragma once

#include <QString>

#include "link/station_state.h"
#include "link/transfer_host.h"
#include "record/window_fields.h"

namespace zr {

// GetDataByShow for any host: the window's values into the record, with the
// band-change question asked through the host's ShowMessage (OK and Cancel
// with the warning icon) and the three-band refusal shown directly as
// "write error". Returns false when the write is refused.
bool TakeWindowIntoRecord(WindowFields& fields, StationState& state, TransferHost& host,
                          const QString& bandChangeQuestion);

}  // namespace zr
