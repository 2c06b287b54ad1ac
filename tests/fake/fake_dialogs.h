#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "fake/fault_plan.h"
#include "platform/dialogs.h"

namespace fake {

/// A message box as it was shown; the title is the program's unless a test says otherwise.
struct ShownBox {
  std::wstring text;
  std::uint32_t style = 0;
  std::wstring title = L"Brenvic Visio";
  bool operator==(const ShownBox&) const = default;
};

/// Message boxes that record what they show and answer from a script, else with their default
/// button.
class FakeDialogs : public platform::Dialogs {
 public:
  explicit FakeDialogs(FaultPlan& faults) : faults_(faults) {}

  int MessageBox(const std::wstring& text, const std::wstring& title,
                 std::uint32_t style) override {
    if (faults_.Step("MessageBoxW")) {
      return 0;
    }
    shown_.push_back({text, style, title});
    if (!answers_.empty()) {
      const int answer = answers_.front();
      answers_.pop_front();
      return answer;
    }
    if ((style & 0xF) != platform::mb::kYesNo) {
      return platform::mb::kIdOk;
    }
    return (style & platform::mb::kDefaultButton2) != 0 ? platform::mb::kIdNo
                                                        : platform::mb::kIdYes;
  }

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
