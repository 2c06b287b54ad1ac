// What the program decides apart from the user: what the help-page launcher reports, how the About
// window is drawn and placed at its own DPI, and what the stencil in use says of the help access.
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

TEST_F(Windows, DrawsTheAboutWindowAtItsOwnDpi) {
  // Wine has one DPI: the window is told that its monitor's is 144 now, the system's staying 96.
  struct Probe final : platform::FormEvents {
    RECT placed{};
    // Each label with text or a link: text, font, text colour; each text box's size; the cursor
    // over the link; what lies on top at the middle of the logo and of the product name; sorted.
    std::vector<std::string> look;
    void Form_Load() override {
      const auto window = reinterpret_cast<HWND>(platform::Current().toolkit->Handle(Form()));
      RECT suggested{};
      SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(144, 144),
                   reinterpret_cast<LPARAM>(&suggested));
      cls_Global().gv_CenterForm(Form());
      GetWindowRect(window, &placed);
      for (const HWND child : reading::Children(window)) {
        wchar_t text[32] = {}, kind[16] = {};
        GetWindowTextW(child, text, 32);
        GetClassNameW(child, kind, 16);
        RECT size{};
        GetClientRect(child, &size);
        const bool link = GetWindowLongW(child, GWL_STYLE) & SS_NOTIFY;
        if (kind == std::wstring_view(L"Edit")) {
          look.push_back("Edit " + std::to_string(size.right) + "x" + std::to_string(size.bottom));
        } else if (kind == std::wstring_view(L"Static") && (link || text[0] != L'\0')) {
          LOGFONTW font{};
          GetObjectW(reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0)), sizeof font,
                     &font);
          const HDC dc = GetDC(child);
          SendMessageW(GetParent(child), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                       reinterpret_cast<LPARAM>(child));
          look.push_back(reading::Narrow(text) + "|" + reading::Narrow(font.lfFaceName) + " " +
                         std::to_string(font.lfHeight) + (font.lfWeight == FW_BOLD ? " bold" : "") +
                         (font.lfUnderline ? " underlined" : "") + " " +
                         std::to_string(GetTextColor(dc)));
          ReleaseDC(child, dc);
        }
        if (link) {  // the mouse over it
          SendMessageW(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(child),
                       MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
          look.push_back(GetCursor() == LoadCursorA(nullptr, IDC_UPARROW) ? "up arrow" : "cursor");
        }
      }
      for (const POINT middle : {POINT{40, 40}, POINT{295, 32}}) {  // 144 DPI: twips / 10
        wchar_t text[32] = {};
        const HWND top = ChildWindowFromPointEx(window, middle, CWP_SKIPINVISIBLE);
        GetWindowTextW(top, text, 32);
        look.push_back("on top: " + std::to_string(GetWindowLongW(top, GWL_STYLE) & SS_TYPEMASK) +
                       " " + reading::Narrow(text));
      }
      std::sort(look.begin(), look.end());
      platform::Current().toolkit->Unload(Form());
    }
    void Click(int) override {}
    void Cancel(bool) override {}
  } probe;
  platform::Current().toolkit->ShowModal(forms::about::kForm, probe);
  EXPECT_NEAR(probe.placed.left + probe.placed.right, GetSystemMetrics(SM_CXSCREEN), 2);
  EXPECT_NEAR(probe.placed.top + probe.placed.bottom, GetSystemMetrics(SM_CYSCREEN), 2);
  // Silver 0xC0C0C0; dark blue 0xC00000 as COLORREF; an image is static type 14, text type 1.
  EXPECT_EQ(probe.look,
            (std::vector<std::string>{"Brenvic Visio|Arial -32 bold 12632256",
                                      "Click here to visit:|MS Sans Serif -17 0", "Edit 299x47",
                                      "Edit 380x146", "Version 2.0|MS Shell Dlg 2 -16 0",
                                      "on top: 1 Brenvic Visio", "on top: 14 ", "up arrow",
                                      "|MS Sans Serif -17 underlined 12582912"}));
}

TEST_F(Windows, TellsTheHelpAccessByTheStencilsLength) {
  EXPECT_EQ(StencilState(25601), -1);
  EXPECT_EQ(StencilState(25600), 1);
  EXPECT_EQ(StencilState(std::nullopt), 0) << "a length that cannot be read";
}

}  // namespace
}  // namespace unit
