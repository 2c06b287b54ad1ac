// Every user flow is run once to count its platform operations, then once more for each operation
// failing with each failure Windows can give; a long series of switches follows.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "fake/fake_platform.h"
#include "forms/frm_macro.h"
#include "main/cls_main.h"
#include "platform/ansi.h"

namespace {

using fake::FakeToolkit;
namespace mb = platform::mb;

constexpr std::int32_t kHkcr = INT32_MIN;
// Visio's program lies above its version folder, so its Solutions folder is found by a listing.
const std::string kOffice = "C:\\Program Files\\Microsoft Office\\";
const std::string kAddOn = kOffice + "Visio11\\Solutions\\#Brenvic Visio\\";
const std::string kInUse = kAddOn + "Global\\brenvic_global.vss";
const std::string kProgramDir = "C:\\Addons\\Brenvic\\";
constexpr std::uint32_t kFailures[] = {2, 5, 32, 112};

// Every byte differs from its neighbours: a copy cut short, shifted or mixed shows.
std::string Stencil(std::size_t size, unsigned seed) {
  std::string bytes(size, '\0');
  for (std::size_t i = 0; i < size; ++i) {
    bytes[i] = static_cast<char>((i * 31 + seed) % 251);
  }
  return bytes;
}
const std::string kWorking = Stencil(30000, 7);
const std::string kBlank = Stencil(20000, 11);

// A message the program defines: its whole text, or the fixed start of one built at run time.
struct Known {
  std::wstring_view text;
  bool whole = true;
  bool Matches(const std::wstring& shown) const {
    return whole ? shown == text : shown.starts_with(text);
  }
};
const Known kM1{
    L"File brenvic_global.vss not found.  Please install Brenvic Visio properly then try again."};
const Known kM2{L"Are you sure that you want to disable the direct access to your online help?"};
const Known kM3{
    L"Please close all the drawings opened in Visio then try again.\r\n\r\nTip: If it still "
    L"doesn't work, ensure that you have the \"write\" access to this file.  Contact your system "
    L"administrator for help."};
const Known kM4{L"The direct access to your Brenvic Visio online help has been  enabled."};
const Known kM5{
    L"The direct access to your Brenvic Visio online help has been  disabled.\r\n\r\nTo enable "
    L"the access in the future, click the About Brenvic Visio icon in your Brenvic Visio program "
    L"folder (Start > All Programs > the folder) to access this window."};
const Known kCopyFailed{L"Failed to copy file \"", false};
const Known kUrlFailed{L"Failed To Access URL(", false};

// Visio 11 registered (unless `shapes` is negative) with the add-on: `shapes` shape stencils and
// the stencil in use holding `in_use`.
void Install(fake::FakePlatform& fp, int shapes, const std::string& in_use) {
  fp.registry.SetString(kHkcr, "BrenvicVisio", "version", "2.0");
  fp.registry.SetString(kHkcr, "BrenvicVisio", "path", kProgramDir);
  fp.files.AddFile(kProgramDir + "brenvic_global.vss", kWorking);
  fp.files.AddFile(kProgramDir + "brenvic_global_blank.vss", kBlank);
  fp.files.AddFolder(kOffice + "Office11");
  fp.files.AddFile(kInUse, in_use);
  for (int i = 0; i < shapes; ++i) {
    fp.files.AddFile(kAddOn + "brenvic_shape" + std::to_string(i) + ".vss");
  }
  if (shapes >= 0) {
    fp.registry.SetString(kHkcr, "Visio.Drawing.2\\CurVer", "", "Visio.Drawing.11");
    fp.registry.SetString(kHkcr, "Visio.Drawing.11\\Shell\\Open\\Command", "",
                          "\"" + kOffice + "VISIO.EXE\" /nologo \"%1\"");
  }
}

void CloseBox(FakeToolkit::Session& w) {
  w.CloseBox();
}
void ToggleAndOk(FakeToolkit::Session& w) {
  w.Click(L"cx_Macro");
  w.Enter();
}
void ToggleAndCancel(FakeToolkit::Session& w) {
  w.Click(L"cx_Macro");
  w.Click(L"cmd_Cancel");
}
void HelpThenEsc(FakeToolkit::Session& w) {
  w.Click(L"cmd_Help");
  w.Esc();
}

struct Flow {
  const char* name;
  int shapes = 21;                   // shape stencils; negative: Visio is not registered
  const wchar_t* command = nullptr;  // the argument text, for a flow through Main
  std::intptr_t shell = 42;          // the shell's answer
  void (*user)(FakeToolkit::Session&) = nullptr;  // else the Online Help Access window's user
  const std::string* in_use = &kWorking;          // the stencil in use at the start
  const std::string* copied = nullptr;  // what a copy may leave there instead, if the flow copies
  bool yes = false;                     // the first message box is answered Yes
  std::vector<Known> may_show = {};     // every message the flow may show
};

const Flow kFlows[] = {
    {.name = "no argument, Pro edition", .command = L""},
    {.name = "ABOUT_STAY, Light edition", .shapes = 3, .command = L" \"ABOUT_STAY\" "},
    {.name = "no argument, no Visio", .shapes = -1, .command = L""},
    {.name = "a page", .command = L"visio_Index.htm", .may_show = {kUrlFailed}},
    {.name = "visio=1 page", .command = L"VISIO=1 \"my page.htm\"", .may_show = {kUrlFailed}},
    {.name = "a refused page", .command = L"visio_Index.htm", .shell = 2, .may_show = {kUrlFailed}},
    {.name = "access: open", .user = CloseBox, .may_show = {kM1}},
    {.name = "access: enable",
     .user = ToggleAndOk,
     .in_use = &kBlank,
     .copied = &kWorking,
     .may_show = {kM1, kCopyFailed, kM3, kM4}},
    {.name = "access: disable, Yes",
     .user = ToggleAndOk,
     .copied = &kBlank,
     .yes = true,
     .may_show = {kM1, kM2, kCopyFailed, kM3, kM5}},
    {.name = "access: disable, No", .user = ToggleAndOk, .may_show = {kM1, kM2}},
    {.name = "access: cancel", .user = ToggleAndCancel, .may_show = {kM1}},
    {.name = "access: help", .user = HelpThenEsc, .may_show = {kM1, kUrlFailed}},
};

// Runs the flow with its `k`-th operation failing with `code` (none for 0) and checks what the
// user is left with; returns the number of operations made.
int RunFlow(const Flow& flow, int k, std::uint32_t code) {
  fake::FakePlatform fp;
  Install(fp, flow.shapes, *flow.in_use);
  const std::vector<std::string> paths = fp.files.AllPaths();
  fp.faults.FailNth(k, code);
  fp.shell.Answer(flow.shell);
  if (flow.yes) {
    fp.dialogs.Answer(mb::kIdYes);
  }
  try {
    if (flow.user != nullptr) {
      fp.toolkit.Push(flow.user);
      frm_Macro(cls_Main::gv_OpenHelpPage).Show();
    } else {
      fp.process.command_line = std::wstring(L"BrenvicAbout.exe ") + flow.command;
      fp.toolkit.Push([](FakeToolkit::Session& about) {
        about.Tick();
        about.Click(L"Command1");
      });
      cls_Main::Main();
    }
  } catch (const std::exception& e) {
    ADD_FAILURE() << flow.name << ", operation " << k << " failing: escaped " << e.what();
  }
  cls_Main::gb_AboutStay = false;

  const std::string at = std::string(flow.name) + ", operation " + std::to_string(k) + " (" +
                         fp.faults.Failed() + ") failing with " + std::to_string(code);
  for (const fake::ShownBox& box : fp.dialogs.Shown()) {
    bool known = false;
    for (const Known& may : flow.may_show) {
      known = known || may.Matches(box.text);
    }
    EXPECT_TRUE(known && box.title == L"Brenvic Visio")
        << at << ": showed " << platform::Ansi(box.title + L": " + box.text);
  }
  const auto in_use = fp.files.Contents(kInUse);
  const bool intact = in_use == *flow.in_use || (flow.copied != nullptr && in_use == *flow.copied);
  EXPECT_TRUE(intact) << at << ": stencil in use left " << (in_use ? in_use->size() : 0)
                      << " bytes";
  // What the user is told agrees with what happened, unless a box was the failing operation.
  if (fp.faults.Failed() != "MessageBoxW") {
    const std::vector<fake::ShownBox>& boxes = fp.dialogs.Shown();
    const bool told_done = std::any_of(boxes.begin(), boxes.end(), [](const fake::ShownBox& box) {
      return kM4.Matches(box.text) || kM5.Matches(box.text);
    });
    EXPECT_EQ(told_done, in_use != *flow.in_use) << at;
    for (std::size_t i = 0; i < boxes.size(); ++i) {
      EXPECT_TRUE(!kCopyFailed.Matches(boxes[i].text) ||
                  (i + 1 < boxes.size() && kM3.Matches(boxes[i + 1].text)))
          << at << ": a failed copy without its advice";
    }
  }
  if (k == 0) {
    EXPECT_TRUE(in_use == (flow.copied != nullptr ? *flow.copied : *flow.in_use))
        << flow.name << " did not do its work";
  }
  EXPECT_EQ(fp.files.AllPaths(), paths) << at;
  EXPECT_TRUE(fp.files.Contents(kProgramDir + "brenvic_global.vss") == kWorking &&
              fp.files.Contents(kProgramDir + "brenvic_global_blank.vss") == kBlank)
      << at << ": a source changed";
  for (const fake::ShellRequest& request : fp.shell.Requests()) {
    EXPECT_TRUE(request.verb == "open" &&
                request.file.starts_with(platform::Ansi(cls_Main::kHelpBaseUrl)))
        << at << ": started " << request.verb << " " << request.file;
  }
  // A close that fails leaves its handle behind, and the process-wide listing stays open until
  // the next one starts; any other leftover is a path that forgot a handle.
  if (fp.faults.Failed() != "RegCloseKey") {
    EXPECT_EQ(fp.registry.OpenKeys(), 0u) << at;
  }
  if (fp.faults.Failed() != "FindClose") {
    EXPECT_LE(fp.files.OpenSearches(), 1u) << at;
  }
  return fp.faults.Operations();
}

TEST(FaultInjectionTest, EveryFlowSurvivesEachOperationFailing) {
  int runs = 0;
  for (const Flow& flow : kFlows) {
    const int operations = RunFlow(flow, 0, 0);
    EXPECT_GT(operations, 0) << flow.name;
    for (int k = 1; k <= operations; ++k) {
      for (const std::uint32_t code : kFailures) {
        RunFlow(flow, k, code);
        ++runs;
      }
    }
  }
  std::printf("[ faults   ] %d fault-injection runs over %zu flows\n", runs, std::size(kFlows));
}

// Regression: a help address lost in its code page conversion went to the shell as an empty file.
TEST(FaultInjectionTest, AnAddressLostInConversionIsNotHandedToTheShell) {
  fake::FakePlatform fp;
  fp.faults.FailOp("WideCharToMultiByte", 2);
  cls_Main::gv_OpenHelpPage(L"visio_Index.htm");
  EXPECT_TRUE(fp.shell.Requests().empty());
  EXPECT_EQ(fp.dialogs.Shown(),
            std::vector<fake::ShownBox>({{L"Failed To Access URL(8): visio_Index.htm", mb::kOk}}));
}

// Each cycle opens the window, switches the access, presses OK and confirms a switch-off.
TEST(FaultInjectionTest, ThousandSwitchesLeaveTheStencilExact) {
  fake::FakePlatform fp;
  Install(fp, 21, kWorking);
  for (int cycle = 0; cycle < 1000; ++cycle) {
    const bool disable = cycle % 2 == 0;
    if (disable) {
      fp.dialogs.Answer(mb::kIdYes);
    }
    fp.toolkit.Push(ToggleAndOk);
    frm_Macro(cls_Main::gv_OpenHelpPage).Show();
    ASSERT_TRUE(fp.files.Contents(kInUse) == (disable ? kBlank : kWorking)) << "cycle " << cycle;
    ASSERT_TRUE(!fp.dialogs.Shown().empty() &&
                (disable ? kM5 : kM4).Matches(fp.dialogs.Shown().back().text))
        << "cycle " << cycle;
  }
  EXPECT_EQ(fp.dialogs.Shown().size(), 1500u);
  EXPECT_TRUE(fp.toolkit.LeftOpen().empty());
  EXPECT_EQ(fp.registry.OpenKeys(), 0u);
  EXPECT_LE(fp.files.OpenSearches(), 1u);
}

}  // namespace
