// The help-page launcher with the shell double (the fuzz target holds the command line's rules).
#include "main/cls_main.h"
#include "unit/windows.h"

namespace unit {
namespace {

TEST_F(Windows, OpensHelpPagesAndReportsTheShellsRefusal) {
  const std::string url = "open|" BRENVIC_HELP_BASE_URL "a\\b c.htm|||1";
  const std::pair<std::intptr_t, std::vector<Box>> rows[] = {
      {33, {}},
      {32, {{L"Failed To Access URL(32): a\\b c.htm", mb::kOk}}},
      {0, {{L"Failed To Access URL(8): a\\b c.htm", mb::kOk}}},
  };
  for (const auto& [result, boxes] : rows) {
    Reset();
    shell.result = result;
    cls_Main::gv_OpenHelpPage(L"a\\b c.htm");
    EXPECT_EQ(shell.requests, std::vector<std::string>{url});
    EXPECT_EQ(dialogs.shown, boxes) << "the shell's result " << result;
  }
}

}  // namespace
}  // namespace unit
