#include "main/cls_main.h"

#include <gtest/gtest.h>

#include "fake/fake_platform.h"
#include "main/command_line.h"

namespace {

// The help site's address as the shell receives it (it is plain ASCII).
const std::string kBase = [] {
  std::string narrow;
  for (const wchar_t* c = cls_Main::kHelpBaseUrl; *c != 0; ++c) {
    narrow += static_cast<char>(*c);
  }
  return narrow;
}();

TEST(CommandLineTest, CutsTheProgramNameAndTheBlanksAfterIt) {
  const struct {
    const wchar_t* line;
    const wchar_t* arguments;
  } cases[] = {
      {L"BrenvicAbout.exe", L""},
      {L"BrenvicAbout.exe   visio=1 page.htm ", L"visio=1 page.htm "},
      {L"BrenvicAbout.exe\t\t\"a  b\"", L"\"a  b\""},
      {L"\"C:\\Program Files\\B\\BrenvicAbout.exe\" x", L"x"},
      {L"\"C:\\Program Files\\B\\BrenvicAbout.exe\"x y", L"x y"},
      {L"\"C:\\unclosed quote x", L""},
      {L"C:\\B\\BrenvicAbout.exe \t", L""},
      {L"", L""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ArgumentText(c.line), c.arguments) << "command line [" << c.line << "]";
  }
}

// What each argument text asks for: a help page (its URL), or the About window (no request).
TEST(MainTest, ChoosesTheJobFromTheArgumentText) {
  const struct {
    const wchar_t* arguments;
    const char* page;  // nullptr: the About window, no shell request
    bool stays;
  } cases[] = {
      {L"", nullptr, false},
      {L"  \"\"  ", nullptr, false},
      {L"ABOUT_STAY", nullptr, true},
      {L"\"ABOUT_STAY\"", nullptr, true},
      {L"   ABOUT_STAY   ", nullptr, true},
      {L"about_stay", "about_stay", false},
      {L"visio_Index.htm", "visio_Index.htm", false},
      {L"visio=1 visio_Index.htm", "visio_Index.htm", false},
      {L"VISIO=1 visio_Index.htm", "visio_Index.htm", false},
      {L"visio=1", nullptr, false},
      {L"visio=1 \"my page.htm\"", "my page.htm", false},
      {L"x visio=1 page.htm", "visio=1 page.htm", false},
      {L"a.htm?Visio=2", nullptr, false},
      {L"visio=1 ABOUT_STAY", nullptr, true},
      {L"visio=1 \tpage.htm\t", "\tpage.htm\t", false},
      {L"page.htm\t", "page.htm\t", false},
      {L"  pa\"ge .htm ", "page .htm", false},
  };
  for (const auto& c : cases) {
    fake::FakePlatform fakes;
    fakes.process.command_line = std::wstring(L"BrenvicAbout.exe ") + c.arguments;
    cls_Main::gb_AboutStay = false;
    cls_Main::Main();
    SCOPED_TRACE(testing::Message() << "arguments [" << c.arguments << "]");
    if (c.page == nullptr) {
      EXPECT_TRUE(fakes.shell.Requests().empty());
    } else {
      ASSERT_EQ(fakes.shell.Requests().size(), 1u);
      EXPECT_EQ(fakes.shell.Requests()[0], (fake::ShellRequest{"open", kBase + c.page, "", "", 1}));
    }
    EXPECT_EQ(cls_Main::gb_AboutStay, c.stays);
    EXPECT_EQ(fakes.toolkit.Shown().size(), c.page == nullptr ? 1u : 0u);
    EXPECT_TRUE(fakes.dialogs.Shown().empty());
  }
  cls_Main::gb_AboutStay = false;
}

// The shell's answer decides the message; a 0 (out of resources) is a failure, not a success.
TEST(MainTest, ReportsARefusedPageWithTheShellsCode) {
  const struct {
    std::intptr_t shell_result;
    const wchar_t* message;  // nullptr: none
  } cases[] = {
      {33, nullptr},
      {42, nullptr},
      {32, L"Failed To Access URL(32): sub\\visio Index.htm"},
      {2, L"Failed To Access URL(2): sub\\visio Index.htm"},
      {31, L"Failed To Access URL(31): sub\\visio Index.htm"},
      {0, L"Failed To Access URL(8): sub\\visio Index.htm"},
  };
  for (const auto& c : cases) {
    fake::FakePlatform fakes;
    fakes.shell.Answer(c.shell_result);
    cls_Main::gv_OpenHelpPage(L"sub\\visio Index.htm");
    SCOPED_TRACE(testing::Message() << "shell result " << c.shell_result);
    ASSERT_EQ(fakes.shell.Requests().size(), 1u);
    EXPECT_EQ(fakes.shell.Requests()[0].file, kBase + "sub\\visio Index.htm");
    if (c.message == nullptr) {
      EXPECT_TRUE(fakes.dialogs.Shown().empty());
    } else {
      EXPECT_EQ(fakes.dialogs.Shown(), std::vector<fake::ShownBox>({{c.message, 0}}));
    }
  }
}

}  // namespace
