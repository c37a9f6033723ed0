#pragma once

#include <QString>
#include <optional>
#include <utility>
#include <vector>

#include "app/cli/cli_host.h"
#include "link/window_values.h"

namespace zr::cli {

// A command-line write of the radio's own values with the --set changes, in
// the write's one session: the radio's whole block shown as a read shows it,
// the changes made as an operator makes them in the window, then written as
// the window writes. A band other than the radio's needs an answer
// (`bandChange`); without one the write is refused, nothing written.
class RadioValuesWithChanges : public WriteSource {
 public:
  RadioValuesWithChanges(StationState& state, CliHost& host, const platform::AnsiCodePage& codePage,
                         std::vector<std::pair<QString, QString>> sets, std::optional<bool> bandChange);

  bool NeedsWholeBlock() const override { return true; }
  std::optional<WriteRefusal> MakeBlock(const BlockAsRead& asRead, FactoryImage& image) override;

 private:
  StationState& state_;
  CliHost& host_;
  const platform::AnsiCodePage& codePage_;
  std::vector<std::pair<QString, QString>> sets_;
  std::optional<bool> bandChange_;
  WindowValues windowValues_;
};

}  // namespace zr::cli
