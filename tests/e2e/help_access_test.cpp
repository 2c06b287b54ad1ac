// The Online Help Access window, opened through the About window's hidden button: the state it
// reads from the stencil in use, and the copies and messages that switching it makes.
#include <gtest/gtest.h>

#include "e2e/driver.h"
#include "e2e/sandbox.h"

namespace e2e {
namespace {

constexpr DWORD kWaitMs = 10000;
constexpr DWORD kCloseMs = 1000;
constexpr DWORD kDrawnMs = 2000;
constexpr wchar_t kAbout[] = L"About Brenvic Visio";
constexpr wchar_t kHelpAccess[] = L"Set Up Online Help Access";
constexpr wchar_t kTitle[] = L"Brenvic Visio";
constexpr wchar_t kCheckBox[] = L"&Enable Online Help Access from Visio";

enum class Icon { kCritical, kQuestion, kExclamation, kInformation };

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

// One message box the window must show, and the button the user answers it with.
struct Box {
  std::wstring text;
  bool text_is_start;  // the rest is the system's wording of the cause
  std::vector<int> buttons;
  Icon icon;
  int default_button;
  int answer;
};

const std::wstring kNotFound =
    L"File brenvic_global.vss not found.  Please install Brenvic Visio properly then try again.";
const std::wstring kConfirm =
    L"Are you sure that you want to disable the direct access to your online help?";
const std::wstring kCloseDrawings =
    L"Please close all the drawings opened in Visio then try again.\r\n\r\nTip: If it still "
    L"doesn't work, ensure that you have the \"write\" access to this file.  Contact your system "
    L"administrator for help.";
const std::wstring kEnabled =
    L"The direct access to your Brenvic Visio online help has been  enabled.";
const std::wstring kDisabled =
    L"The direct access to your Brenvic Visio online help has been  disabled.\r\n\r\nTo enable "
    L"the access in the future, click the About Brenvic Visio icon in your Brenvic Visio program "
    L"folder (Start > All Programs > the folder) to access this window.";
const std::wstring kCopyFailed = L"Failed to copy file \"" + std::wstring(kBlankStencil) +
                                 L"\" to \"" + std::wstring(kStencilInUse) + L"\": ";

const Box kM1{kNotFound, false, {IDOK}, Icon::kExclamation, IDOK, IDOK};
const Box kM2Yes{kConfirm, false, {IDYES, IDNO}, Icon::kQuestion, IDNO, IDYES};
const Box kM2No{kConfirm, false, {IDYES, IDNO}, Icon::kQuestion, IDNO, IDNO};
const Box kM3{kCloseDrawings, false, {IDOK}, Icon::kExclamation, IDOK, IDOK};
const Box kM4{kEnabled, false, {IDOK}, Icon::kInformation, IDOK, IDOK};
const Box kM5{kDisabled, false, {IDOK}, Icon::kInformation, IDOK, IDOK};
const Box kCopyFailure{kCopyFailed, true, {IDOK}, Icon::kCritical, IDOK, IDOK};

// Waits for the next message box of the program, checks it against `expected` and answers it.
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

bool KeepSandbox() {
  return true;
}

bool PutBlankStencilInUse() {
  return CopyFileW(kBlankStencil, kStencilInUse, FALSE) != FALSE;
}

bool DeleteStencilInUse() {
  return DeleteFileW(kStencilInUse) != FALSE;
}

// Waits for the About window and opens the Online Help Access window with its hidden button, as
// only a test tool can.
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

struct Opening {
  const char* name;
  bool (*prepare)();
  const Box* message;  // shown as the window opens; nullptr for none
  bool checked;
  bool usable;  // the check box and OK take input
};

void PrintTo(const Opening& c, std::ostream* out) {
  *out << c.name;
}

class Opens : public ::testing::TestWithParam<Opening> {};

TEST_P(Opens, CheckBoxShowsStencilInUse) {
  const Opening& c = GetParam();
  ASSERT_TRUE(c.prepare());
  const auto program = Program::Start(L" ABOUT_STAY", true);
  ASSERT_TRUE(program) << "cannot start the program";
  HWND about = nullptr;
  HWND window = nullptr;
  ASSERT_NO_FATAL_FAILURE(OpenHelpAccess(*program, about, window));
  if (c.message != nullptr) {
    ASSERT_NO_FATAL_FAILURE(Answer(program->Id(), *c.message));
  }
  const auto check_box = FindControl(window, kCheckBox);
  const auto ok = FindControl(window, L"&OK");
  ASSERT_TRUE(check_box && ok);
  EXPECT_EQ(check_box->checked, c.checked);
  EXPECT_EQ(check_box->enabled, c.usable);
  EXPECT_EQ(ok->enabled, c.usable);
  ASSERT_TRUE(ClickButton(window, L"&Cancel"));
  EXPECT_TRUE(WaitUntilGone(window, kCloseMs));
  EXPECT_TRUE(IsWindowVisible(about)) << "the About window went too";
}

INSTANTIATE_TEST_SUITE_P(
    StencilInUse, Opens,
    ::testing::Values(Opening{"WorkingChecked", KeepSandbox, nullptr, true, true},
                      Opening{"BlankUnchecked", PutBlankStencilInUse, nullptr, false, true},
                      Opening{"MissingReportedAndLocked", DeleteStencilInUse, &kM1, false, false}),
    [](const auto& info) { return std::string(info.param.name); });

enum class Outcome { kUnchanged, kBlank, kWorking };

struct Switching {
  const char* name;
  bool (*prepare)();
  bool held_open;  // another program holds the stencil in use open, as Visio does
  std::vector<Box> boxes;
  Outcome stencil;
  bool stays_open;
};

void PrintTo(const Switching& c, std::ostream* out) {
  *out << c.name;
}

class Switches : public ::testing::TestWithParam<Switching> {};

TEST_P(Switches, CopiesStencilAndReports) {
  const Switching& c = GetParam();
  ASSERT_TRUE(c.prepare());
  const std::string in_use = ReadBytes(kStencilInUse);
  const std::string working = ReadBytes(kWorkingStencil);
  const std::string blank = ReadBytes(kBlankStencil);
  ASSERT_FALSE(working.empty() || blank.empty() || working == blank);
  Handle held;
  if (c.held_open) {
    held.reset(CreateFileW(kStencilInUse, GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_NE(held.get(), INVALID_HANDLE_VALUE);
  }
  const auto program = Program::Start(L" ABOUT_STAY", true);
  ASSERT_TRUE(program) << "cannot start the program";
  HWND about = nullptr;
  HWND window = nullptr;
  ASSERT_NO_FATAL_FAILURE(OpenHelpAccess(*program, about, window));
  const auto before = FindControl(window, kCheckBox);
  ASSERT_TRUE(before);
  ASSERT_TRUE(ClickButton(window, kCheckBox));
  ASSERT_TRUE(ClickButton(window, L"&OK"));
  for (const Box& box : c.boxes) {
    ASSERT_NO_FATAL_FAILURE(Answer(program->Id(), box));
  }
  if (c.stays_open) {
    const auto after = FindControl(window, kCheckBox);
    ASSERT_TRUE(after);
    EXPECT_NE(after->checked, before->checked) << "the user's choice was reset";
    EXPECT_TRUE(IsWindowVisible(window)) << "the window closed";
  } else {
    EXPECT_TRUE(WaitUntilGone(window, kCloseMs)) << "the window stayed";
  }
  held.reset();
  const std::string expected = c.stencil == Outcome::kBlank     ? blank
                               : c.stencil == Outcome::kWorking ? working
                                                                : in_use;
  EXPECT_TRUE(ReadBytes(kStencilInUse) == expected) << "the stencil in use is not as expected";
  EXPECT_TRUE(ReadBytes(kWorkingStencil) == working) << "the working stencil changed";
  EXPECT_TRUE(ReadBytes(kBlankStencil) == blank) << "the blank stencil changed";
  EXPECT_TRUE(IsWindowVisible(about)) << "the About window went too";
}

INSTANTIATE_TEST_SUITE_P(
    Choices, Switches,
    ::testing::Values(
        Switching{"DisableAnsweredNo", KeepSandbox, false, {kM2No}, Outcome::kUnchanged, true},
        Switching{"DisableAnsweredYes", KeepSandbox, false, {kM2Yes, kM5}, Outcome::kBlank, false},
        Switching{"Enable", PutBlankStencilInUse, false, {kM4}, Outcome::kWorking, false},
        Switching{"DisableWhileHeldOpen",
                  KeepSandbox,
                  true,
                  {kM2Yes, kCopyFailure, kM3},
                  Outcome::kUnchanged,
                  true}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace e2e
