#pragma once

#include "link/station_state.h"
#include "link/transfer_host.h"
#include "link/write_source.h"
#include "platform/ansi_code_page.h"

namespace zr {

// A write of the window's values: the form into the record (GetDataByShow,
// with its band rules) and the record into the image. A field whose value the
// radio already holds keeps the radio's bytes.
class WindowValues : public WriteSource {
 public:
  WindowValues(StationState& state, TransferHost& host, const platform::AnsiCodePage& codePage)
      : state_(state), host_(host), codePage_(codePage) {}

  std::optional<WriteRefusal> MakeBlock(const BlockAsRead& asRead, FactoryImage& image) override;

 private:
  StationState& state_;
  TransferHost& host_;
  const platform::AnsiCodePage& codePage_;
};

}  // namespace zr
