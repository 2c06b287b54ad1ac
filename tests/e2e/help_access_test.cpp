// The Online Help Access window, opened through the About window's hidden button: the state it
// reads from the stencil in use, and the copies and messages that switching it makes.
#include <gtest/gtest.h>

#include "e2e/driver.h"
#include "e2e/help_access.h"
#include "e2e/sandbox.h"

namespace e2e {
namespace {

bool KeepSandbox() {
  return true;
}

bool PutBlankStencilInUse() {
  return CopyFileW(kBlankStencil, kStencilInUse, FALSE) != FALSE;
}

bool DeleteStencilInUse() {
  return DeleteFileW(kStencilInUse) != FALSE;
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
                  {kM2Yes, CopyFailure(kBlankStencil), kM3},
                  Outcome::kUnchanged,
                  true}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace e2e
