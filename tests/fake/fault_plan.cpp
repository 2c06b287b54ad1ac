#include "fake/fault_plan.h"

#include <algorithm>

namespace fake {

void FaultPlan::FailAt(int k, std::uint32_t code) {
  fail_at_ = Count() + k;
  fail_at_code_ = code;
}

void FaultPlan::FailOp(const std::string& op, std::uint32_t code, int occurrence) {
  fail_op_ = op;
  fail_op_occurrence_ = CountOf(op) + occurrence;
  fail_op_code_ = code;
}

std::optional<std::uint32_t> FaultPlan::Step(const std::string& op) {
  log_.push_back(op);
  if (Count() == fail_at_) {
    fail_at_ = 0;
    return fail_at_code_;
  }
  if (op == fail_op_ && CountOf(op) == fail_op_occurrence_) {
    fail_op_.clear();
    return fail_op_code_;
  }
  return std::nullopt;
}

int FaultPlan::CountOf(const std::string& op) const {
  return static_cast<int>(std::count(log_.begin(), log_.end(), op));
}

}  // namespace fake
