#include "fake/fake_dialogs.h"

namespace fake {

int FakeDialogs::MessageBox(const std::wstring& text, const std::wstring& title,
                            std::uint32_t style) {
  if (faults_.Step("MessageBoxW")) {
    return 0;
  }
  shown_.push_back({text, title, style});
  if (!answers_.empty()) {
    const int answer = answers_.front();
    answers_.pop_front();
    return answer;
  }
  if ((style & 0xF) != platform::mb::kYesNo) {
    return platform::mb::kIdOk;
  }
  return (style & platform::mb::kDefaultButton2) != 0 ? platform::mb::kIdNo : platform::mb::kIdYes;
}

}  // namespace fake
