// What the program decides apart from the user: what the help-page launcher reports, where a window
// goes at its own DPI and what the pointer is over its link, and what the stencil in use says of
// the help access.
#include "forms/about_layout.h"
#include "forms/frm_macro.h"
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
  // A page the code page cannot spell reaches the shell as nothing else.
  cls_Main::gv_OpenHelpPage(kForeignLetter + L"uk.htm");
  EXPECT_EQ(shell.requests.size(), 1u);
  EXPECT_EQ(dialogs.shown.back(),
            (Box{L"Failed To Access URL(2): " + kForeignLetter + L"uk.htm", mb::kOk}));
}

TEST_F(Windows, CentresAWindowAtItsOwnDpiAndPointsUpOverTheLink) {
  // Wine has one DPI: the window is told that its monitor's is 144 now, the system's staying 96.
  struct Probe final : platform::FormEvents {
    RECT placed{};
    HCURSOR over_link = nullptr;
    void Form_Load() override {
      const auto window = reinterpret_cast<HWND>(platform::Current().toolkit->Handle(Form()));
      RECT suggested{};
      SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(144, 144),
                   reinterpret_cast<LPARAM>(&suggested));
      cls_Global().gv_CenterForm(Form());
      GetWindowRect(window, &placed);
      // The mouse over the link: the one static that takes clicks.
      EnumChildWindows(
          window,
          [](HWND child, LPARAM form) WINAPI -> BOOL {
            wchar_t kind[16] = {};
            GetClassNameW(child, kind, 16);
            if (std::wstring_view(kind) == L"Static" &&
                GetWindowLongW(child, GWL_STYLE) & SS_NOTIFY) {
              SendMessageW(reinterpret_cast<HWND>(form), WM_SETCURSOR,
                           reinterpret_cast<WPARAM>(child), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
            }
            return TRUE;
          },
          reinterpret_cast<LPARAM>(window));
      over_link = GetCursor();
      platform::Current().toolkit->Unload(Form());
    }
    void Click(int) override {}
    void Cancel(bool) override {}
  } probe;
  platform::Current().toolkit->ShowModal(forms::about::kForm, probe);
  EXPECT_NEAR(probe.placed.left + probe.placed.right, GetSystemMetrics(SM_CXSCREEN), 2);
  EXPECT_NEAR(probe.placed.top + probe.placed.bottom, GetSystemMetrics(SM_CYSCREEN), 2);
  EXPECT_EQ(probe.over_link, LoadCursorA(nullptr, IDC_UPARROW));
}

TEST_F(Windows, TellsTheHelpAccessByTheStencilsLength) {
  EXPECT_EQ(StencilState(25601), -1);
  EXPECT_EQ(StencilState(25600), 1);
  EXPECT_EQ(StencilState(std::nullopt), 0) << "a length that cannot be read";
}

}  // namespace
}  // namespace unit
