#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>

namespace fake {

/// Counts the platform operations the fakes carry out and makes a chosen one fail.
class FaultPlan {
 public:
  /// Makes the `occurrence`-th call from now (1-based) of the operation named `op` (its Win32
  /// name, e.g. "CopyFileA", "RegEnumValueA") fail with `code`.
  void FailOp(const std::string& op, std::uint32_t code, int occurrence = 1) {
    fail_op_ = op;
    fail_at_ = CountOf(op) + occurrence;
    fail_code_ = code;
  }
  /// Makes the `n`-th operation from the start (1-based), whatever it is, fail with `code`.
  void FailNth(int n, std::uint32_t code) {
    fail_nth_ = n;
    nth_code_ = code;
  }
  /// Called by each fake operation first: the code to fail with, if this call is the chosen one.
  std::optional<std::uint32_t> Step(const std::string& op) {
    const int count = ++counts_[op];
    if (++operations_ == fail_nth_) {
      failed_ = op;
      return nth_code_;
    }
    if (count != fail_at_ || op != fail_op_) {
      return std::nullopt;
    }
    fail_op_.clear();
    return fail_code_;
  }
  /// Number of calls of the operation named `op` so far.
  int CountOf(const std::string& op) const {
    const auto found = counts_.find(op);
    return found == counts_.end() ? 0 : found->second;
  }
  /// Number of operations so far, of every kind.
  int Operations() const { return operations_; }
  /// The operation that FailNth made fail, or empty.
  const std::string& Failed() const { return failed_; }

 private:
  std::map<std::string, int> counts_;
  std::string fail_op_;
  int fail_at_ = 0;
  std::uint32_t fail_code_ = 0;
  int operations_ = 0;
  int fail_nth_ = 0;
  std::uint32_t nth_code_ = 0;
  std::string failed_;
};

}  // namespace fake
