// The real program in the sandbox prefix (scripts/sandbox), as a user meets it: each case is a
// script of the user's steps and of what each must show.
#include <gtest/gtest.h>

#include <cstdlib>

#include "e2e/driver.h"

namespace e2e {
namespace {

const std::wstring kAddOn =
    L"C:\\Program Files\\Microsoft Office\\Visio11\\Solutions\\#Brenvic Visio\\";
const std::wstring kInUse = kAddOn + L"Global\\brenvic_global.vss";
const std::wstring kProgram = L"C:\\Program Files\\Harrowbright\\Brenvic Visio\\";
const std::wstring kBlank = kProgram + L"brenvic_global_blank.vss";
const std::wstring kWorking = kProgram + L"brenvic_global.vss";
const wchar_t kCheckBox[] = L"&Enable Online Help Access from Visio";

enum class Do {
  kStart,       // the program, `text` after its name; `n` 1: no About window is awaited
  kSee,         // a control whose text is `text`, enabled unless `n` is 1
  kCentred,     // the window is in the middle of the screen, in a dialog frame (which shows no
                // icon) when `n` is 1, else in a single border
  kForeground,  // another program's window takes the foreground
  kKey,         // key `n`; 0: the close box
  kClick,       // the control whose text is `text`; the hidden button opens its window
  kChecked,     // the check box comes to be checked when `n` is 1, unchecked when 0
  kBox,         // a message box whose text starts with `text`, default button `m`; button `n`
  kRecorded,    // the browser was asked for the help site followed by `text`
  kStays,       // the window stays through two ticks of the About window's timer
  kGone,        // the window goes; the About window's going ends the program well
  kStencil,     // the stencil in use holds the bytes of `text` (empty: as before)
};
struct Step {
  Do what;
  std::wstring text = L"";
  int n = 0, m = 0;
};
struct Case {
  const char* name;
  // "blank": the blank stencil is put in use; "held": another program holds it open without
  // sharing, as Visio does; "no browser": web URLs lead to a missing program; else a file or a
  // class key that is deleted.
  std::wstring before;
  std::vector<Step> steps;
};
void PrintTo(const Case& c, std::ostream* out) {
  *out << c.name;
}

class Sandbox : public testing::TestWithParam<Case> {};

TEST_P(Sandbox, ShowsWhatTheUserExpects) {
  const Case& c = GetParam();
  // Web URLs open with a recorder that appends each as one line to C:\recorder.txt.
  const std::wstring handler = c.before == L"no browser"
                                   ? L"C:\\missing.exe \"%1\""
                                   : L"C:\\windows\\system32\\cmd.exe /c echo %1>>C:\\recorder.txt";
  for (const wchar_t* key : {L"http\\shell\\open\\command", L"https\\shell\\open\\command"}) {
    ASSERT_EQ(RegSetKeyValueW(HKEY_CLASSES_ROOT, key, nullptr, REG_SZ, handler.c_str(),
                              static_cast<DWORD>(handler.size() + 1) * 2),
              0);
  }
  if (c.before == L"blank") {
    ASSERT_TRUE(CopyFileW(kBlank.c_str(), kInUse.c_str(), FALSE));
  } else if (!c.before.empty() && c.before != L"held" && c.before != L"no browser") {
    ASSERT_TRUE(DeleteFileW(c.before.c_str()) ||
                !RegDeleteTreeW(HKEY_CLASSES_ROOT, c.before.c_str()));
  }
  const std::string in_use = Bytes(kInUse);
  const HANDLE held = c.before != L"held" ? INVALID_HANDLE_VALUE
                                          : CreateFileW(kInUse.c_str(), GENERIC_READ, 0, nullptr,
                                                        OPEN_EXISTING, 0, nullptr);
  std::optional<Program> program;
  HWND window = nullptr, about = nullptr, other = nullptr;
  for (const Step& step : c.steps) {
    SCOPED_TRACE(testing::PrintToString(step.text) + " " +
                 std::to_string(static_cast<int>(step.what)));
    RECT rect{};
    switch (step.what) {
      case Do::kStart:
        program.emplace(step.text);
        window = about = step.n == 1 ? nullptr : program->Window(L"About Brenvic Visio");
        ASSERT_TRUE(step.n == 1 || about != nullptr);
        break;
      case Do::kSee:
        ASSERT_NE(Find(window, step.text), nullptr) << "no control reads that";
        EXPECT_EQ(IsWindowEnabled(Find(window, step.text)) != FALSE, step.n != 1);
        break;
      case Do::kCentred:
        GetWindowRect(window, &rect);
        EXPECT_LE(std::abs(rect.left + rect.right - GetSystemMetrics(SM_CXSCREEN)), 2);
        EXPECT_LE(std::abs(rect.top + rect.bottom - GetSystemMetrics(SM_CYSCREEN)), 2);
        EXPECT_EQ((GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME) != 0, step.n == 1);
        break;
      case Do::kForeground:
        other = CreateWindowExW(0, L"STATIC", L"Another program", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                0, 0, 200, 100, nullptr, nullptr, nullptr, nullptr);
        ASSERT_TRUE(SetForegroundWindow(other) && GetForegroundWindow() == other);
        break;
      case Do::kKey:
        ASSERT_TRUE(step.n != 0 ? PressKey(window, step.n)
                                : PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0));
        break;
      case Do::kClick:
        ASSERT_TRUE(Click(Find(window, step.text)));
        if (step.text == L"Online Help &Access") {
          ASSERT_NE(window = program->Window(L"Set Up Online Help Access"), nullptr);
        }
        break;
      case Do::kChecked:
        EXPECT_TRUE(WaitFor(
            [&] { return SendMessageW(Find(window, kCheckBox), BM_GETCHECK, 0, 0) == step.n; }));
        break;
      case Do::kBox: {
        const HWND box = program->Window(L"Brenvic Visio", L"#32770");
        ASSERT_NE(box, nullptr) << "no message box";
        EXPECT_NE(Find(box, step.text, true), nullptr) << "no such text";
        EXPECT_EQ(GetWindowLongW(GetDlgItem(box, step.m), GWL_STYLE) & BS_TYPEMASK,
                  BS_DEFPUSHBUTTON);
        ASSERT_TRUE(Click(GetDlgItem(box, step.n)));
        ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(box); }));
        break;
      }
      case Do::kRecorded: {
        std::string record;
        EXPECT_TRUE(WaitFor([&] { return (record = Bytes(L"C:\\recorder.txt")).ends_with('\n'); }));
        EXPECT_EQ(record,
                  BRENVIC_HELP_BASE_URL + std::string(step.text.begin(), step.text.end()) + "\r\n");
        break;
      }
      case Do::kStays:
        EXPECT_FALSE(WaitFor([&] { return !IsWindowVisible(window); }, 1100));
        break;
      case Do::kGone:
        EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(window); }));
        EXPECT_TRUE(window != about || program->EndsWell());
        window = about;
        break;
      case Do::kStencil:
        CloseHandle(held);
        EXPECT_TRUE(Bytes(kInUse) == (step.text.empty() ? in_use : Bytes(step.text)));
        break;
    }
  }
  DestroyWindow(other);
}

const Step kStay{Do::kStart, L" ABOUT_STAY"}, kOpen{Do::kClick, L"Online Help &Access"};
const Step kCheck{Do::kClick, kCheckBox}, kOk{Do::kClick, L"&OK"}, kGone{Do::kGone};
const Step kSure{Do::kBox, L"Are you sure that you want to disable the direct access", IDYES, IDNO};
const std::wstring kNow = L"The direct access to your Brenvic Visio online help has been  ";
// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, Sandbox, testing::Values(
    Case{"ForegroundLossCloses", L"", {{Do::kStart}, {Do::kSee, L"Brenvic Visio Pro"},
         {Do::kCentred, L"", 1}, {Do::kForeground}, kGone}},
    Case{"StaysWhenAskedLinkOpensHomePage", L"", {kStay, {Do::kClick, L"link"},
         {Do::kRecorded, L"visio_Index.htm"}, {Do::kForeground}, {Do::kStays}, kOk, kGone}},
    Case{"LightEscIgnored", kAddOn + L"brenvic_shape21.vss", {{Do::kStart, L" \"ABOUT_STAY\""},
         {Do::kSee, L"Brenvic Visio Light"}, {Do::kKey, L"", VK_ESCAPE}, {Do::kStays},
         {Do::kKey}, kGone}},
    Case{"NoVisioEnterCloses", L"Visio.Drawing", {kStay, {Do::kSee, L"Brenvic Visio"},
         {Do::kKey, L"", VK_RETURN}, kGone}},
    Case{"PageOpened", L"", {{Do::kStart, L" VISIO=1 \"my page.htm\"", 1},
         {Do::kRecorded, L"my page.htm"}, kGone}},
    Case{"PageRefused", L"no browser", {{Do::kStart, L" visio=1 visio_Index.htm", 1},
         {Do::kBox, L"Failed To Access URL(2): visio_Index.htm", IDOK, IDOK}, kGone}},
    Case{"SwitchedOffAtTheSecondAsking", L"", {kStay, kOpen, {Do::kCentred},
         {Do::kChecked, L"", 1}, kCheck, kOk, {Do::kBox, kSure.text, IDNO, IDNO},
         {Do::kChecked, L"", 0}, {Do::kStencil}, kOk, kSure, {Do::kBox, kNow + L"disabled.", IDOK,
         IDOK}, kGone, {Do::kStencil, kBlank}, {Do::kStays}}},
    Case{"SwitchedOn", L"blank", {kStay, kOpen, {Do::kChecked, L"", 0}, kCheck, kOk,
         {Do::kBox, kNow + L"enabled.", IDOK, IDOK}, kGone, {Do::kStencil, kWorking}}},
    Case{"StencilHeldOpen", L"held", {kStay, kOpen, kCheck, kOk, kSure,
         {Do::kBox, L"Failed to copy file \"" + kBlank + L"\" to \"" + kInUse + L"\": ", IDOK,
          IDOK},
         {Do::kBox, L"Please close all the drawings opened in Visio then try again.", IDOK, IDOK},
         {Do::kStays}, {Do::kStencil}}},
    Case{"StencilMissing", kInUse, {kStay, kOpen,
         {Do::kBox, L"File brenvic_global.vss not found.", IDOK, IDOK}, {Do::kSee, kCheckBox, 1},
         {Do::kSee, L"&OK", 1}, {Do::kKey, L"", VK_ESCAPE}, kGone}},
    Case{"HelpThenCancel", L"", {kStay, kOpen, {Do::kClick, L"&Help"},
         {Do::kRecorded, L"visio_HowTo_EnableMacroWindow.htm"}, kCheck,
         {Do::kClick, L"&Cancel"}, kGone, {Do::kStencil}}}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

}  // namespace
}  // namespace e2e
