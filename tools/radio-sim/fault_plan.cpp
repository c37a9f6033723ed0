#include "tools/radio-sim/fault_plan.h"

#include <utility>

namespace zr::sim {

bool FaultPlan::Budget::Take() {
  if (!count) return true;
  if (used >= *count) return false;
  ++used;
  return true;
}

FaultPlan::FaultPlan(FaultSettings settings)
    : settings_(std::move(settings)), repeatRequest_{settings_.repeatRequests} {
  for (const NoAnswerRule& rule : settings_.noAnswer) noAnswer_.push_back({rule.count});
  for (const LineRule& rule : settings_.badChecksum) badChecksum_.push_back({rule.count});
  for (const LineRule& rule : settings_.droppedWrites) droppedWrites_.push_back({rule.count});
}

bool FaultPlan::TakeNoAnswer(FrameKind kind, std::uint32_t address) {
  bool ignore = false;
  for (std::size_t i = 0; i < noAnswer_.size(); ++i) {
    const NoAnswerRule& rule = settings_.noAnswer[i];
    if (rule.kind != kind || (rule.address && *rule.address != address)) continue;
    if (noAnswer_[i].Take()) ignore = true;
  }
  return ignore;
}

bool FaultPlan::TakeRepeatRequest() { return repeatRequest_.Take(); }

bool FaultPlan::TakeLine(const std::vector<LineRule>& rules, std::vector<Budget>& budgets, std::uint32_t address) {
  bool applies = false;
  for (std::size_t i = 0; i < budgets.size(); ++i) {
    if (rules[i].address != address) continue;
    if (budgets[i].Take()) applies = true;
  }
  return applies;
}

bool FaultPlan::TakeBadChecksum(std::uint32_t address) {
  return TakeLine(settings_.badChecksum, badChecksum_, address);
}

bool FaultPlan::TakeDroppedWrite(std::uint32_t address) {
  return TakeLine(settings_.droppedWrites, droppedWrites_, address);
}

}  // namespace zr::sim
