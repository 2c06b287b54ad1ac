#include "e2e/help_access.h"

#include <gtest/gtest.h>

#include "e2e/sandbox.h"

namespace e2e {

namespace {

constexpr DWORD kDrawnMs = 2000;

HICON StandardIcon(Icon icon) {
  switch (icon) {
    case Icon::kCritical:
      return LoadIconA(nullptr, IDI_HAND);
    case Icon::kQuestion:
      return LoadIconA(nullptr, IDI_QUESTION);
    case Icon::kExclamation:
      return LoadIconA(nullptr, IDI_EXCLAMATION);
    case Icon::kInformation:
      return LoadIconA(nullptr, IDI_ASTERISK);
  }
  return nullptr;
}

}  // namespace

Box CopyFailure(const std::wstring& source) {
  return {L"Failed to copy file \"" + source + L"\" to \"" + std::wstring(kStencilInUse) + L"\": ",
          true,
          {IDOK},
          Icon::kCritical,
          IDOK,
          IDOK};
}

void Answer(DWORD process_id, const Box& expected) {
  const auto box = WaitForMessageBox(process_id, kTitle, kWaitMs);
  ASSERT_TRUE(box) << "no message box; expected " << testing::PrintToString(expected.text);
  if (expected.text_is_start) {
    EXPECT_EQ(box->text.substr(0, expected.text.size()), expected.text);
    EXPECT_GT(box->text.size(), expected.text.size()) << "no cause given";
  } else {
    EXPECT_EQ(box->text, expected.text);
  }
  EXPECT_EQ(box->buttons, expected.buttons) << testing::PrintToString(expected.text);
  EXPECT_TRUE(box->icon != nullptr && ShowsIcon(box->icon, StandardIcon(expected.icon), kDrawnMs))
      << "another icon on " << testing::PrintToString(expected.text);
  EXPECT_EQ(box->default_button, expected.default_button) << testing::PrintToString(expected.text);
  ASSERT_TRUE(Click(box->window, expected.answer));
  ASSERT_TRUE(WaitUntilGone(box->window, kWaitMs)) << "the message box stayed";
}

void OpenHelpAccess(const Program& program, HWND& about, HWND& window) {
  about = WaitForWindow(program.Id(), kAbout, kWaitMs);
  ASSERT_NE(about, nullptr) << "no About window";
  const auto button = FindControl(about, L"Online Help &Access");
  ASSERT_TRUE(button) << "no button Online Help &Access";
  EXPECT_EQ(button->kind, L"Button");
  EXPECT_FALSE(button->visible);
  ASSERT_TRUE(ClickButton(about, L"Online Help &Access"));
  window = WaitForWindow(program.Id(), kHelpAccess, kWaitMs);
  ASSERT_NE(window, nullptr) << "no window captioned " << testing::PrintToString(kHelpAccess);
}

}  // namespace e2e
