#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace fake {

/// Counts every platform operation the fakes carry out and makes a chosen one fail.
class FaultPlan {
 public:
  /// Makes the `k`-th operation from now (1-based, counted over all fakes) fail with `code`.
  void FailAt(int k, std::uint32_t code);
  /// Makes the `occurrence`-th call from now (1-based) of the operation named `op` (the Win32
  /// name, e.g. "CopyFileA", "RegOpenKeyExA", "FindFirstFileA", "MessageBoxW") fail with `code`.
  void FailOp(const std::string& op, std::uint32_t code, int occurrence = 1);
  /// Called by each fake operation first: the code to fail with, if this call is the chosen one.
  std::optional<std::uint32_t> Step(const std::string& op);
  /// Operations carried out so far, by Win32 name, in order.
  const std::vector<std::string>& Log() const { return log_; }
  /// Number of operations carried out so far.
  int Count() const { return static_cast<int>(log_.size()); }
  /// Number of calls of the operation named `op` so far.
  int CountOf(const std::string& op) const;

 private:
  std::vector<std::string> log_;
  int fail_at_ = 0;
  std::uint32_t fail_at_code_ = 0;
  std::string fail_op_;
  int fail_op_occurrence_ = 0;
  std::uint32_t fail_op_code_ = 0;
};

}  // namespace fake
