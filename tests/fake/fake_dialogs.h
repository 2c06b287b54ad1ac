#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "fake/fault_plan.h"
#include "platform/dialogs.h"

namespace fake {

/// A message box as it was shown.
struct ShownBox {
  std::wstring text;
  std::wstring title;
  std::uint32_t style = 0;
  bool operator==(const ShownBox&) const = default;
};

/// Message boxes that record what they show and answer from a script.
class FakeDialogs : public platform::Dialogs {
 public:
  explicit FakeDialogs(FaultPlan& faults) : faults_(faults) {}

  /// Records the box and returns the next scripted answer, else its default button.
  int MessageBox(const std::wstring& text, const std::wstring& title, std::uint32_t style) override;

  /// Queues the answer (`platform::mb::kId...`) for the next box.
  void Answer(int button) { answers_.push_back(button); }
  /// Every box shown, in order.
  const std::vector<ShownBox>& Shown() const { return shown_; }

 private:
  FaultPlan& faults_;
  std::deque<int> answers_;
  std::vector<ShownBox> shown_;
};

}  // namespace fake
