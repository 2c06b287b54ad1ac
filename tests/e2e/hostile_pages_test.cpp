// Page names meant to make the shell do more than open a web page: the program hands the shell the
// base URL and the cleaned name, the browser gets them as one argument, and nothing else starts.
#include <gtest/gtest.h>

#include "e2e/driver.h"
#include "e2e/process_watch.h"
#include "e2e/shell_call.h"
#include "e2e/url_handler.h"

namespace e2e {
namespace {

constexpr DWORD kWaitMs = 10000;
const std::string kBaseUrl = BRENVIC_HELP_BASE_URL;
// Besides the program and the recorder, Wine starts its console host for the recorder, which is a
// console program.
const std::set<std::wstring> kAllowed = {L"brenvicabout.exe", L"recorder.exe", L"conhost.exe"};

std::string Expanded(const char* text) {
  char expanded[MAX_PATH] = {};
  ExpandEnvironmentStringsA(text, expanded, MAX_PATH);
  return expanded;
}

struct Hostile {
  const char* name;
  std::wstring page;                    // as given on the command line
  std::string passed;                   // what the program appends to the base URL
  std::optional<std::string> received;  // what follows the base URL at the recorder
};

void PrintTo(const Hostile& c, std::ostream* out) {
  *out << c.name;
}

class HostilePage : public ::testing::TestWithParam<Hostile> {};

TEST_P(HostilePage, ShellGetsBaseUrlAndCleanedPageAndStartsOnlyTheBrowser) {
  const Hostile& c = GetParam();
  const auto given = FileGivenToShell(L" " + c.page, kWaitMs);
  ASSERT_TRUE(given) << "the program did not call the shell";
  EXPECT_TRUE(*given == kBaseUrl + c.passed)
      << "passed " << given->size() << " bytes: " << given->substr(0, 200);
  if (!c.received) {
    return;
  }
  ASSERT_TRUE(ClearRecord());
  ASSERT_TRUE(SetUrlHandler(RecorderCommand()));
  ProcessWatch watch;
  const auto program = Program::Start(L" " + c.page, true);
  ASSERT_TRUE(program) << "cannot start the program";
  EXPECT_EQ(program->WaitForExit(kWaitMs), std::optional<DWORD>(0));
  EXPECT_EQ(WaitForRecord(kWaitMs), "\"" + kBaseUrl + *c.received + "\"\n");
  for (const std::wstring& started : watch.Started()) {
    EXPECT_TRUE(kAllowed.contains(started))
        << "started " << testing::PrintToString(started.empty() ? L"(unnamed)" : started);
  }
}

// Wine's shell builds the handler's command line in 1,024 characters: a longer one loses its end,
// and from about 1,030 characters the stack of the calling program is overwritten and the program
// crashes inside shell32. A 30,000-character page is therefore checked as the program passes it.
// The shell expands environment variables in the file it is given, as Windows' does: the program
// passes the name unencoded.
INSTANTIATE_TEST_SUITE_P(
    Wine, HostilePage,
    ::testing::Values(Hostile{"FileUrlOfCalc", L"file:///C:/windows/system32/calc.exe",
                              "file:///C:/windows/system32/calc.exe",
                              "file:///C:/windows/system32/calc.exe"},
                      Hostile{"ParentFolders", L"..\\..\\x", "..\\..\\x", "..\\..\\x"},
                      Hostile{"ShellOperators", L"a&b|c>d", "a&b|c>d", "a&b|c>d"},
                      Hostile{"EnvironmentVariable", L"%TEMP%", "%TEMP%", Expanded("%TEMP%")},
                      Hostile{"Quoted", L"\"quoted\"", "quoted", "quoted"},
                      Hostile{"ThirtyThousandCharacters",
                              L"\"  " + std::wstring(30000, L'p') + L" \"", std::string(30000, 'p'),
                              std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace e2e
