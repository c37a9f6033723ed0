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
  for (const BadChecksumRule& rule : settings_.badChecksum) badChecksum_.push_back({rule.count});
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

bool FaultPlan::TakeBadChecksum(std::uint32_t address) {
  bool corrupt = false;
  for (std::size_t i = 0; i < badChecksum_.size(); ++i) {
    if (settings_.badChecksum[i].address != address) continue;
    if (badChecksum_[i].Take()) corrupt = true;
  }
  return corrupt;
}

}  // namespace zr::sim
