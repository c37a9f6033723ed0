#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "tools/radio-sim/fault_plan.h"
#include "tools/radio-sim/radio_block.h"
#include "tools/radio-sim/reply_schedule.h"

namespace zr::sim {

inline constexpr char PortDirVariable[] = "ZR93KW_PORT_DIR";

struct SimOptions {
  QString portDir;
  int port = 1;
  BlockSettings block;
  FaultSettings faults;
  OutputTiming timing;
  std::optional<int> unplugAfter;  // frames to answer before the cable is pulled
  bool trace = false;
};

// The command line's request: options to run with, or (for --help) a text to
// print before exiting.
struct CommandLine {
  std::optional<SimOptions> options;
  QString text;
};

// `arguments` starts with the program name. Throws SetupError on bad input.
CommandLine ParseCommandLine(const QStringList& arguments, const QString& portDirFromEnvironment);

// Parts of the command line, for their own tests.
NoAnswerRule ParseNoAnswer(const QString& value);
LineRule ParseLineRule(const QString& value, const QString& option);
// A line of the block as an offset ("0x30", "48") or a full address ("0x02FA0030").
std::uint32_t ParseLineAddress(const QString& value, const QString& option);

}  // namespace zr::sim
