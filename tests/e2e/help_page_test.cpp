// A help page named on the command line: the URL that reaches the browser, and the message box
// that a refused request shows.
#include <gtest/gtest.h>

#include "e2e/driver.h"
#include "e2e/url_handler.h"

namespace e2e {
namespace {

constexpr DWORD kWaitMs = 10000;
constexpr wchar_t kTitle[] = L"Brenvic Visio";
const std::string kBaseUrl = BRENVIC_HELP_BASE_URL;

struct Recorded {
  const char* name;
  const wchar_t* tail;  // the command line after the program's name, separator included
  bool quoted_name;
  std::string page;  // what the recorder receives after the base URL
};

void PrintTo(const Recorded& c, std::ostream* out) {
  *out << c.name;
}

class OpensPage : public ::testing::TestWithParam<Recorded> {};

TEST_P(OpensPage, RecorderReceivesBaseUrlAndPage) {
  const Recorded& c = GetParam();
  ASSERT_TRUE(ClearRecord());
  ASSERT_TRUE(SetUrlHandler(RecorderCommand()));
  const auto program = Program::Start(c.tail, c.quoted_name);
  ASSERT_TRUE(program) << "cannot start the program";
  EXPECT_EQ(program->WaitForExit(kWaitMs), std::optional<DWORD>(0));
  // Wine puts the URL into the handler's quoted "%1" as the program passed it: tabs and spaces
  // come through, nothing is escaped.
  EXPECT_EQ(WaitForRecord(kWaitMs), "\"" + kBaseUrl + c.page + "\"\n");
}

INSTANTIATE_TEST_SUITE_P(
    CommandLines, OpensPage,
    ::testing::Values(
        Recorded{"VisioTokenDropped", L" visio=1 visio_Index.htm", true, "visio_Index.htm"},
        Recorded{"VisioTokenAnyCase", L" VISIO=1 visio_Index.htm", false, "visio_Index.htm"},
        Recorded{"QuotedPageKeepsInnerSpace", L" visio=1 \"my page.htm\"", true, "my page.htm"},
        Recorded{"OnlyFirstTokenDropped", L" x visio=1 page.htm", true, "visio=1 page.htm"},
        Recorded{"KeywordCaseMatters", L" about_stay", true, "about_stay"},
        Recorded{"TabsAroundPageKept", L" visio=1 \tvisio_Index.htm\t", true,
                 "\tvisio_Index.htm\t"},
        Recorded{"QuotesRemovedThenSpacesTrimmed", L"  \"  spaced.htm \"  ", true, "spaced.htm"},
        Recorded{"BareNameEndsAtTab", L"\tvisio_Index.htm", false, "visio_Index.htm"}),
    [](const auto& info) { return std::string(info.param.name); });

struct Refused {
  const char* name;
  const wchar_t* tail;
  const wchar_t* handler;  // nullptr: no handler for web URLs at all
  std::wstring message;
};

void PrintTo(const Refused& c, std::ostream* out) {
  *out << c.name;
}

class ReportsRefusal : public ::testing::TestWithParam<Refused> {};

TEST_P(ReportsRefusal, OkOnlyMessageBoxThenExit) {
  const Refused& c = GetParam();
  ASSERT_TRUE(c.handler != nullptr ? SetUrlHandler(c.handler) : RemoveUrlHandler());
  const auto program = Program::Start(c.tail, true);
  ASSERT_TRUE(program) << "cannot start the program";
  const auto box = WaitForMessageBox(program->Id(), kTitle, kWaitMs);
  ASSERT_TRUE(box) << "no message box titled Brenvic Visio";
  EXPECT_EQ(box->text, c.message);
  EXPECT_EQ(box->buttons, std::vector<int>{IDOK});
  EXPECT_EQ(box->icon, nullptr);
  ASSERT_TRUE(Click(box->window, IDOK));
  EXPECT_EQ(program->WaitForExit(kWaitMs), std::optional<DWORD>(0));
}

INSTANTIATE_TEST_SUITE_P(
    Handlers, ReportsRefusal,
    ::testing::Values(Refused{"MissingProgram", L" visio=1 visio_Index.htm",
                              L"\"C:\\missing\\browser.exe\" \"%1\"",
                              L"Failed To Access URL(2): visio_Index.htm"},
                      Refused{"NoHandler", L" visio=1 visio_Index.htm", nullptr,
                              L"Failed To Access URL(31): visio_Index.htm"},
                      Refused{"MessageNamesPageAsGiven", L" visio=1 \"my page.htm\"",
                              L"\"C:\\missing\\browser.exe\" \"%1\"",
                              L"Failed To Access URL(2): my page.htm"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace e2e
