// The real program in the sandbox prefix (scripts/sandbox): each case is a script of the user's
// steps and what each must show, and names what must change of what the program could touch.
#include <gtest/gtest.h>

#include <optional>

#include "e2e/driver.h"

namespace e2e {
namespace {

const std::wstring kVisio = L"C:\\Program Files\\Microsoft Office\\Visio11\\";
const std::wstring kAddOn = kVisio + L"Solutions\\#Brenvic Visio\\";
const std::wstring kInUse = kAddOn + L"Global\\brenvic_global.vss";
// The add-on's program folder as the registry names it; the fixed installation folder is another.
const std::wstring kProgram = L"C:\\Program Files (x86)\\Harrowbright\\Brenvic Visio\\";
const std::wstring kFixed = L"C:\\Program Files\\Harrowbright\\";
const std::wstring kBlank = kProgram + L"brenvic_global_blank.vss";
const std::wstring kWorking = kProgram + L"brenvic_global.vss";
const std::wstring kRecorder = L"C:\\recorder.txt";
const std::wstring kPath = L"BrenvicVisio|path";
const std::vector<std::wstring> kValues = {L"Visio.Drawing\\CurVer|",
                                           L"Visio.Drawing.11\\shell\\open\\command|", kPath};
const std::string kCheckBox = "&Enable Online Help Access from Visio";
// The About window's timer ticks every 500 ms: a window goes, or is spared, within this.
constexpr DWORD kTicksMs = 2000;

const std::string kWarning =
    "All rights reserved. This program and its stencils are the property of Harrowbright Software "
    "Ltd. and are protected by copyright law. Copying, lending or passing on this program or any "
    "part of it without its maker's written consent is forbidden and may lead to claims for "
    "damages and to prosecution.";
const std::string kExplanation =
    "You can access the Brenvic Visio online help directly from Visio via \r\nthe \"Brenvic Help\" "
    "menu.  This menu offers tutorials and other \r\nuseful information.\r\n\r\nThe menu is "
    "created with macro scripts.  Therefore Visio may warn \r\nyou each time a drawing is to be "
    "opened.  Disabling the access \r\nfrom this window will stop the potential warning.  For "
    "additional \r\ninformation, including the alternatives, please click the help button. \r\n"
    "\r\nClick the checkbox below to make your choice. \r\n";

// `usable`: no window is over it; `focused`: the focused button (the hidden one once clicked).
std::string About(const std::string& title, bool usable = true, const char* focused = "&OK") {
  const auto button = [&](const std::string& text, const char* shown) {
    return "Button \"" + text + "\"" + shown + (usable && text == focused ? " focused" : "");
  };
  return Sorted(
      std::string("About Brenvic Visio 342x257 frame centred") + (usable ? "" : " disabled"),
      {"Static \"\"", "Static \"\"", "Static \"" + title + "\"", button("&OK", ""),
       "Static \"\" disabled", "Edit \"" + kWarning + "\"",
       "Edit \"Copyright (c) 2004-2026\r\nHarrowbright Software Ltd.\"", "Static \"Version 2.0\"",
       "Static \"Click here to visit:\"", "Static \"www.brenvic.example/help\"",
       button("Online Help &Access", " hidden outside"), "Static \"\""});
}
// `usable`: the check box and OK take input; `focused`: the text of the focused control.
std::string Macro(bool usable, bool checked, const std::string& focused) {
  const auto button = [&](const std::string& text, bool takes_input) {
    return "Button \"" + text + "\"" + (takes_input ? "" : " disabled") +
           (text == kCheckBox && checked ? " checked" : "") + (text == focused ? " focused" : "");
  };
  return Sorted("Set Up Online Help Access 355x205 centred",
                {"Static \"\" disabled", "Edit \"" + kExplanation + "\"", button(kCheckBox, usable),
                 button("&OK", usable), button("&Cancel", true), button("&Help", true)});
}

// A message box as SeenBox() reads it: buttons 1 OK, 6 Yes, 7 No; "*" marks the default one.
std::string Box(const std::string& text, const char* icon, const char* buttons) {
  return "Brenvic Visio|" + text + "|" + icon + "|" + buttons;
}
std::string CopyFailed(const std::wstring& from, DWORD code) {
  return Box("Failed to copy file \"" + Narrow(from) + "\" to \"" + Narrow(kInUse) +
                 "\": " + Narrow(reading::Cause(code)),
             "critical", "1* ");
}
const std::string kRefused = Box("Failed To Access URL(2): visio_Index.htm", "no icon", "1* ");
const std::string kSure =
    Box("Are you sure that you want to disable the direct access to your online help?", "question",
        "6 7* ");
const std::string kCloseDrawings = Box(
    "Please close all the drawings opened in Visio then try again.\r\n\r\nTip: If it still "
    "doesn't work, ensure that you have the \"write\" access to this file.  Contact your system "
    "administrator for help.",
    "exclamation", "1* ");
const std::string kNotFound =
    Box("File brenvic_global.vss not found.  Please install Brenvic Visio properly then try again.",
        "exclamation", "1* ");
const std::string kEnabled = Box(
    "The direct access to your Brenvic Visio online help has been  enabled.", "information", "1* ");
const std::string kDisabled = Box(
    "The direct access to your Brenvic Visio online help has been  disabled.\r\n\r\nTo enable the "
    "access in the future, click the About Brenvic Visio icon in your Brenvic Visio program folder "
    "(Start > All Programs > the folder) to access this window.",
    "information", "1* ");

enum class Do {
  kStart,         // the program, `text` after its name; the About window, unless `page`
  kSee,           // the current window (the About window, with `about`) looks as `shows`
  kClick,         // the control whose text is `text`; the hidden button opens its window
  kKey,           // `key` on the control with the focus; 0: the close box
  kAnswer,        // a message box looks as `shows`; it is answered with `button`
  kForeground,    // another program's window takes the foreground
  kRecorded,      // the browser is asked for the help site followed by `text`
  kStays,         // the current and the About window stay while the About window's timer ticks
  kClosesItself,  // the About window goes within as many ticks, and the program ends well
  kGone,          // the current window goes; the About window's going ends the program well
};
struct Step {
  Do what;
  std::string text = "";  ///< the command line's tail, a control's text, a help page
  bool page = false;      ///< the program opens a page, no window
  bool about = false;     ///< the step looks at the About window, not the current one
  WPARAM key = 0;
  std::string shows = "";  ///< what a window or message box shows
  int button = 0;          ///< the message box's button that answers it
};
const auto Start = [](std::string tail, bool page) { return Step{Do::kStart, tail, page}; };
const auto See = [](std::string window) { return Step{.what = Do::kSee, .shows = window}; };
const auto SeeAbout = [](std::string window) {
  return Step{.what = Do::kSee, .about = true, .shows = window};
};
const auto Click = [](std::string text) { return Step{.what = Do::kClick, .text = text}; };
const auto Key = [](WPARAM key) { return Step{.what = Do::kKey, .key = key}; };
const auto Answer = [](std::string box, int button) {
  return Step{.what = Do::kAnswer, .shows = box, .button = button};
};
const auto Recorded = [](std::string page) { return Step{.what = Do::kRecorded, .text = page}; };
const Step kAbout = Start("", false), kStay = Start(" ABOUT_STAY", false);
const Step kOpen = Click("Online Help &Access"), kCheck = Click(kCheckBox), kOk = Click("&OK");
const Step kCloseBox = Key(0), kForeground{Do::kForeground}, kStays{Do::kStays}, kGone{Do::kGone};
const Step kClosesItself{Do::kClosesItself};

struct Case {
  const char* name;
  int before;  ///< what is made before the program starts, flags below
  /// What is removed then: a file, a folder (C:...), a key or a value "key|value" of HKCR.
  std::vector<std::wstring> removed;
  std::vector<Step> steps;
  /// What must differ afterwards: each path holds what the other one held before.
  std::vector<std::pair<std::wstring, std::wstring>> changed = {};
};
constexpr int kAsInstalled = 0;
constexpr int kBlankInUse = 1;  ///< the blank stencil is put in use
constexpr int kNoBrowser = 2;   ///< web URLs lead to a missing program
constexpr int kHeld = 4;        ///< the stencil in use is held open without sharing, as Visio does
/// The program runs from the development folder C:\Visio; the fixed installation folder holds a
/// blank stencil of its own.
constexpr int kDevelopmentRun = 8;
const std::wstring kDevelopmentCopy = L"C:\\Visio\\BrenvicAbout.exe";
const std::wstring kFixedBlank = kFixed + L"Brenvic Visio\\brenvic_global_blank.vss";
void PrintTo(const Case& c, std::ostream* out) {
  *out << c.name;
}

class Sandbox : public testing::TestWithParam<Case> {};

TEST_P(Sandbox, ShowsWhatTheUserExpects) {
  const Case& c = GetParam();
  // Web URLs open with a recorder that appends each as one line to C:\recorder.txt.
  const std::wstring handler = c.before & kNoBrowser
                                   ? L"C:\\missing.exe \"%1\""
                                   : L"C:\\windows\\system32\\cmd.exe /c echo %1>>C:\\recorder.txt";
  for (const wchar_t* key : {L"http\\shell\\open\\command", L"https\\shell\\open\\command"}) {
    ASSERT_EQ(RegSetKeyValueW(HKEY_CLASSES_ROOT, key, nullptr, REG_SZ, handler.c_str(),
                              static_cast<DWORD>(handler.size() + 1) * 2),
              0);
  }
  ASSERT_TRUE(!(c.before & kBlankInUse) || CopyFileW(kBlank.c_str(), kInUse.c_str(), FALSE));
  if (c.before & kDevelopmentRun) {
    std::filesystem::create_directories(L"C:\\Visio");
    std::filesystem::create_directories(kFixed + L"Brenvic Visio");
    ASSERT_TRUE(CopyFileW(BRENVIC_E2E_PROGRAM, kDevelopmentCopy.c_str(), FALSE) &&
                CopyFileW((kVisio + L"VISIO.EXE").c_str(), kFixedBlank.c_str(), FALSE));
  }
  for (const std::wstring& what : c.removed) {
    const auto bar = what.find(L'|');
    ASSERT_TRUE(what.starts_with(L"C:") ? std::filesystem::remove_all(what) > 0
                : bar == std::wstring::npos
                    ? !RegDeleteTreeW(HKEY_CLASSES_ROOT, what.c_str())
                    : !RegDeleteKeyValueW(HKEY_CLASSES_ROOT, what.substr(0, bar).c_str(),
                                          what.c_str() + bar + 1))
        << "nothing to remove";
  }
  const std::vector<std::wstring> touchable = {kVisio, kProgram, kFixed, kRecorder};
  const State before = Snapshot(touchable, kValues);
  State expected = before;
  for (const auto& [path, from] : c.changed) {
    expected[path] = before.at(from);
  }
  HANDLE held = c.before & kHeld ? CreateFileW(kInUse.c_str(), GENERIC_READ, 0, nullptr,
                                               OPEN_EXISTING, 0, nullptr)
                                 : INVALID_HANDLE_VALUE;
  std::optional<Program> program;
  HWND window = nullptr, about = nullptr, other = nullptr;
  std::string record, seen;
  for (const Step& step : c.steps) {
    SCOPED_TRACE("step " + std::to_string(&step - c.steps.data() + 1));
    switch (step.what) {
      case Do::kStart:
        program.emplace(std::wstring(step.text.begin(), step.text.end()),
                        c.before & kDevelopmentRun ? kDevelopmentCopy : BRENVIC_E2E_PROGRAM);
        window = about = step.page ? nullptr : program->Window(L"About Brenvic Visio");
        ASSERT_TRUE(step.page || about != nullptr);
        break;
      case Do::kSee:
        // The check box is set once the window is shown: wait for the state before comparing.
        WaitFor([&] { return (seen = Seen(step.about ? about : window)) == step.shows; });
        EXPECT_EQ(seen, step.shows);
        break;
      case Do::kClick: {
        const auto children = Children(window);
        const auto found = std::find_if(children.begin(), children.end(), [&](HWND child) {
          return Narrow(Text(child)) == step.text;
        });
        ASSERT_TRUE(found != children.end() && Push(*found));
        if (step.text == kOpen.text) {
          ASSERT_NE(window = program->Window(L"Set Up Online Help Access"), nullptr);
        }
        break;
      }
      case Do::kKey: {
        const HWND focus = Focus(window) != nullptr ? Focus(window) : window;
        ASSERT_TRUE(step.key == 0 ? PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0)
                                  : PostMessageW(focus, WM_KEYDOWN, step.key, 1) &&
                                        PostMessageW(focus, WM_KEYUP, step.key, 0xC0000001));
        break;
      }
      case Do::kAnswer: {
        const HWND box = program->Window(L"Brenvic Visio", L"#32770");
        ASSERT_NE(box, nullptr) << "no message box";
        WaitFor([&] { return (seen = SeenBox(box)) == step.shows; });  // drawn a little later
        EXPECT_EQ(seen, step.shows);
        ASSERT_TRUE(Push(GetDlgItem(box, step.button)));
        ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(box); }));
        break;
      }
      case Do::kForeground:
        other = CreateWindowExW(0, L"STATIC", L"Another program", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                0, 0, 200, 100, nullptr, nullptr, nullptr, nullptr);
        ASSERT_TRUE(SetForegroundWindow(other) && GetForegroundWindow() == other);
        break;
      case Do::kRecorded:
        record += BRENVIC_HELP_BASE_URL + step.text + "\r\n";
        EXPECT_TRUE(WaitFor([&] { return reading::Bytes(kRecorder) == record; }))
            << reading::Bytes(kRecorder);
        break;
      case Do::kStays:
        EXPECT_FALSE(
            WaitFor([&] { return !IsWindowVisible(window) || !IsWindowVisible(about); }, kTicksMs));
        break;
      case Do::kClosesItself:
        EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(about); }, kTicksMs));
        EXPECT_TRUE(program->EndsWell());
        break;
      case Do::kGone:
        EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(window); }));
        EXPECT_TRUE(window != about || program->EndsWell());
        window = about;
        break;
    }
  }
  EXPECT_EQ(program->Window(L"Brenvic Visio", L"#32770", 0), nullptr) << "a message box is left";
  CloseHandle(held);
  if (!record.empty()) {
    expected[kRecorder] = std::hash<std::string>{}(record);
  }
  EXPECT_EQ(Snapshot(touchable, kValues), expected);
  DestroyWindow(other);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, Sandbox, testing::Values(
    Case{"SparedUnderItsRefusedLink", kNoBrowser, {},
         {kAbout, Click("www.brenvic.example/help"), kStays, Answer(kRefused, IDOK), kForeground,
          kClosesItself}},
    Case{"LightEscIgnoredCloseBox", kAsInstalled, {kAddOn + L"brenvic_shape21.vss"},
         {Start(" \"ABOUT_STAY\"", false), See(About("Brenvic Visio Light")), Key(VK_ESCAPE), kStays,
          kCloseBox, kGone}},
    Case{"PageRefused", kNoBrowser, {},
         {Start(" visio=1 visio_Index.htm", true), Answer(kRefused, IDOK), kGone}},
    Case{"SwitchedOffAtTheSecondAskingSparedMeanwhile", kAsInstalled, {},
         {kAbout, kOpen, See(Macro(true, true, kCheckBox)), SeeAbout(About("Brenvic Visio Pro", false)), kStays,
          kCheck, kOk, Answer(kSure, IDNO), See(Macro(true, false, "&OK")), Key(VK_RETURN),
          Answer(kSure, IDYES), Answer(kDisabled, IDOK), kGone, kStays,
          See(About("Brenvic Visio Pro", true, "Online Help &Access")), kForeground, kClosesItself},
         {{kInUse, kBlank}}},
    Case{"SwitchedOn", kBlankInUse, {},
         {kStay, kOpen, See(Macro(true, false, kCheckBox)), kCheck, kOk, Answer(kEnabled, IDOK), kGone,
          See(About("Brenvic Visio Pro", true, "Online Help &Access"))},
         {{kInUse, kWorking}}},
    Case{"OkWithoutAChange", kAsInstalled, {},
         {kStay, kOpen, kOk, kGone, kOk, kGone}},
    Case{"StencilHeldOpen", kHeld, {},
         {kStay, kOpen, kCheck, kOk, Answer(kSure, IDYES), Answer(CopyFailed(kBlank, 32), IDOK),
          Answer(kCloseDrawings, IDOK), kStays, kCloseBox, kGone}},
    Case{"NoProgramFolderInTheRegistry", kBlankInUse, {L"BrenvicVisio"},
         {kStay, kOpen, kCheck, kOk,
          Answer(CopyFailed(L"brenvic_global.vss", ERROR_FILE_NOT_FOUND), IDOK),
          Answer(kCloseDrawings, IDOK), See(Macro(true, true, "&OK"))}},
    Case{"NoPathValue", kAsInstalled, {kPath},
         {kStay, kOpen, kCheck, kOk, Answer(kSure, IDYES),
          Answer(CopyFailed(L"brenvic_global_blank.vss", ERROR_FILE_NOT_FOUND), IDOK),
          Answer(kCloseDrawings, IDOK)}},
    Case{"DevelopmentRunTakesTheInstallationFolder", kDevelopmentRun, {},
         {kStay, kOpen, kCheck, kOk, Answer(kSure, IDYES), Answer(kDisabled, IDOK), kGone},
         {{kInUse, kFixedBlank}}},
    Case{"NoSolutionsFolder", kAsInstalled, {kVisio + L"Solutions"},
         {kStay, See(About("Brenvic Visio")), kOpen, Answer(kNotFound, IDOK),
          See(Macro(false, false, "&Cancel")), Click("&Cancel"), kGone}},
    Case{"HelpThenEscCancels", kAsInstalled, {},
         {kStay, kOpen, Click("&Help"), Recorded("visio_HowTo_EnableMacroWindow.htm"), kCheck,
          Key(VK_ESCAPE), kGone}}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

}  // namespace
}  // namespace e2e
