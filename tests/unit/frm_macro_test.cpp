#include "forms/frm_macro.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "fake/fake_platform.h"
#include "forms/macro_layout.h"
#include "layout_checks.h"
#include "platform/ansi.h"

namespace {

using fake::FakeToolkit;
using fake::ShownBox;
namespace mb = platform::mb;

constexpr std::int32_t kHkcr = INT32_MIN;
const std::string kVisioDir = "C:\\Program Files\\Microsoft Office\\Visio11\\";
const std::string kInUse = kVisioDir + "Solutions\\#Brenvic Visio\\Global\\brenvic_global.vss";
const std::string kCommandKey = "Visio.Drawing.11\\Shell\\Open\\Command";
const std::string kProgramDir = "C:\\Addons\\Brenvic\\";
const std::string kInstallDir = "C:\\Program Files\\Harrowbright\\Brenvic Visio\\";
const std::string kWorking(30000, 'W');
const std::string kBlank(20000, 'B');
const std::string kInstalledWorking(26000, 'I');
const std::string kInstalledBlank(100, 'i');

// Boxes and stencils in a form a failure message can show.
std::vector<std::string> Texts(const std::vector<ShownBox>& boxes) {
  std::vector<std::string> texts;
  for (const ShownBox& box : boxes) {
    texts.push_back(platform::Ansi(box.title + L": " + box.text) + " / " +
                    std::to_string(box.style));
  }
  return texts;
}

std::string Stencil(const std::optional<std::string>& contents) {
  return contents ? std::to_string(contents->size()) + " bytes of " + contents->substr(0, 1)
                  : "missing";
}

const ShownBox kM1{
    L"File brenvic_global.vss not found.  Please install Brenvic Visio properly then try again.",
    mb::kOk | mb::kIconExclamation};
const ShownBox kM2{L"Are you sure that you want to disable the direct access to your online help?",
                   mb::kYesNo | mb::kIconQuestion | mb::kDefaultButton2};
const ShownBox kM3{
    L"Please close all the drawings opened in Visio then try again.\r\n\r\nTip: If it still "
    L"doesn't work, ensure that you have the \"write\" access to this file.  Contact your system "
    L"administrator for help.",
    mb::kOk | mb::kIconExclamation};
const ShownBox kM4{L"The direct access to your Brenvic Visio online help has been  enabled.",
                   mb::kOk | mb::kIconInformation};
const ShownBox kM5{
    L"The direct access to your Brenvic Visio online help has been  disabled.\r\n\r\nTo enable "
    L"the access in the future, click the About Brenvic Visio icon in your Brenvic Visio program "
    L"folder (Start > All Programs > the folder) to access this window.",
    mb::kOk | mb::kIconInformation};

// The program folder the window reads, and a hook run when it asks for it, which it does between
// its two searches for Visio in cmd_OK_Click.
class HookedProcess : public fake::FakeProcess {
 public:
  std::wstring ProgramFolder() override {
    if (hook) {
      hook();
    }
    return FakeProcess::ProgramFolder();
  }
  std::function<void()> hook;
};

class MacroTest : public testing::Test {
 protected:
  // Visio 11 with the add-on installed, the stencil in use holding `in_use`.
  void Install(const std::optional<std::string>& in_use, const std::string& path_name = "path",
               const std::string& path_value = kProgramDir) {
    fp.emplace();
    platform::Platform parts = platform::Current();
    parts.process = &process;
    platform::Install(parts);
    process = HookedProcess();
    pages.clear();
    fp->registry.SetString(kHkcr, "Visio.Drawing\\CurVer", "", "Visio.Drawing.11");
    fp->registry.SetString(kHkcr, kCommandKey, "", "\"" + kVisioDir + "VISIO.EXE\" \"%1\"");
    fp->files.AddFolder(kVisioDir + "Solutions\\#Brenvic Visio\\Global");
    if (in_use) {
      fp->files.AddFile(kInUse, *in_use);
    }
    fp->registry.SetString(kHkcr, "BrenvicVisio", path_name, path_value);
    fp->files.AddFile(kProgramDir + "brenvic_global.vss", kWorking);
    fp->files.AddFile(kProgramDir + "brenvic_global_blank.vss", kBlank);
    fp->files.AddFile(kInstallDir + "brenvic_global.vss", kInstalledWorking);
    fp->files.AddFile(kInstallDir + "brenvic_global_blank.vss", kInstalledBlank);
  }

  void Show(FakeToolkit::Script script, frm_Macro* form = nullptr) {
    fp->toolkit.Push(std::move(script));
    frm_Macro own([this](const std::wstring& page) { pages.push_back(page); });
    (form != nullptr ? *form : own).Show();
  }

  // Declared before the platform, which uninstalls itself first.
  HookedProcess process;
  std::optional<fake::FakePlatform> fp;
  std::vector<std::wstring> pages;
};

TEST_F(MacroTest, LayoutIsSound) {
  layout_checks::ExpectSound(forms::macro::kForm, {});
  int cancels = 0;
  for (const platform::ControlSpec& c : forms::macro::kControls) {
    cancels += (c.flags & platform::cf::kCancel) != 0 ? 1 : 0;
  }
  EXPECT_EQ(cancels, 1);
  EXPECT_NE(forms::macro::kControls[forms::macro::kCmdCancel].flags & platform::cf::kCancel, 0u);
  EXPECT_EQ(std::wstring_view(forms::macro::kExplanation).size(), 483u);
}

TEST_F(MacroTest, ActivationShowsTheStateOfTheStencilInUse) {
  struct Case {
    const char* name;
    std::optional<std::string> in_use;
    std::uint32_t attributes;
    bool no_solutions;
    int value;
    bool usable;
  };
  const Case cases[] = {
      {"25,600 bytes is the blank stencil", std::string(25600, 'x'), 0, false, 0, true},
      {"25,601 bytes is the working stencil", std::string(25601, 'x'), 0, false, 1, true},
      {"stencil missing", std::nullopt, 0, false, 0, false},
      {"hidden stencil counts as missing", kWorking, platform::attr::kHidden, false, 0, false},
      {"no Solutions folder", kWorking, 0, true, 0, false},
  };
  for (const Case& c : cases) {
    Install(c.in_use);
    if (c.attributes != 0) {
      fp->files.AddFile(kInUse, *c.in_use, c.attributes);
    }
    if (c.no_solutions) {
      fp->registry.SetString(kHkcr, kCommandKey, "", "");
    }
    Show([&](FakeToolkit::Session& window) {
      EXPECT_EQ(window.Value(L"cx_Macro"), c.value) << c.name;
      EXPECT_EQ(window.Enabled(L"cx_Macro"), c.usable) << c.name;
      EXPECT_EQ(window.Enabled(L"cmd_OK"), c.usable) << c.name;
      window.Esc();
    });
    EXPECT_EQ(fp->dialogs.Shown(), c.usable ? std::vector<ShownBox>{} : std::vector{kM1}) << c.name;
    EXPECT_EQ(fp->toolkit.Shown(), std::vector<std::wstring>{L"Set Up Online Help Access"});
    EXPECT_TRUE(fp->toolkit.LeftOpen().empty()) << c.name;
  }
}

TEST_F(MacroTest, WithoutAStencilOnlyHelpAndCancelWork) {
  Install(std::nullopt);
  frm_Macro form([this](const std::wstring& page) { pages.push_back(page); });
  Show(
      [&](FakeToolkit::Session& window) {
        window.Click(L"cx_Macro");
        window.Enter();
        window.Click(L"cmd_OK");
        form.Click(forms::macro::kCmdOK);  // as Wine delivers a click to a disabled button
        EXPECT_EQ(window.Value(L"cx_Macro"), 0);
        window.Click(L"cmd_Help");
        EXPECT_TRUE(window.Loaded());
        window.Click(L"cmd_Cancel");
        EXPECT_FALSE(window.Loaded());
      },
      &form);
  EXPECT_EQ(fp->dialogs.Shown(), std::vector{kM1});
  EXPECT_EQ(pages, std::vector<std::wstring>{L"visio_HowTo_EnableMacroWindow.htm"});
}

// Help keeps the window and the choice; every way out closes it without a change.
TEST_F(MacroTest, HelpAndTheWaysOutChangeNothing) {
  const std::function<void(FakeToolkit::Session&, frm_Macro&)> closers[] = {
      [](FakeToolkit::Session& w, frm_Macro&) { w.Esc(); },
      [](FakeToolkit::Session& w, frm_Macro&) { w.CloseBox(); },
      [](FakeToolkit::Session& w, frm_Macro&) { w.Click(L"cmd_Cancel"); },
      [](FakeToolkit::Session&, frm_Macro& f) { f.Cancel(false); },
      [](FakeToolkit::Session&, frm_Macro& f) { f.Cancel(true); },
  };
  for (std::size_t i = 0; i < std::size(closers); ++i) {
    Install(kBlank);
    frm_Macro form([this](const std::wstring& page) { pages.push_back(page); });
    Show(
        [&](FakeToolkit::Session& window) {
          window.Click(L"cx_Macro");
          window.Click(L"cmd_Help");
          EXPECT_TRUE(window.Loaded()) << "closer " << i;
          EXPECT_EQ(window.Value(L"cx_Macro"), 1) << "closer " << i;
          closers[i](window, form);
          EXPECT_FALSE(window.Loaded()) << "closer " << i;
        },
        &form);
    EXPECT_EQ(pages, std::vector<std::wstring>{L"visio_HowTo_EnableMacroWindow.htm"});
    EXPECT_TRUE(fp->dialogs.Shown().empty()) << "closer " << i;
    EXPECT_EQ(fp->files.Contents(kInUse), kBlank) << "closer " << i;
  }
}

TEST_F(MacroTest, OkCarriesOutTheChoice) {
  Install(std::nullopt);
  const auto failed = [this](const std::string& from, std::uint32_t code) {
    return ShownBox{L"Failed to copy file \"" + platform::Wide(from) + L"\" to \"" +
                        platform::Wide(kInUse) + L"\": " +
                        platform::Wide(fp->files.ErrorText(code)),
                    mb::kOk | mb::kIconCritical};
  };
  const ShownBox held = failed(kProgramDir + "brenvic_global.vss", 32);
  const ShownBox bare = failed("brenvic_global.vss", 2);
  const ShownBox joined = failed("C:\\Addons\\Brenvicbrenvic_global_blank.vss", 2);
  enum class T { kNone, kHeld, kGone, kNoPath, kPathCase, kUnslashed, kDev, kDevLower, kLost };
  struct Case {
    const char* name;
    std::string in_use;
    bool toggle;
    int answer;  // to M2, when it is asked
    T twist;
    std::vector<ShownBox> boxes;
    std::optional<std::string> after;
    bool closed;
  };
  const std::string& w = kWorking;
  const std::string& b = kBlank;
  constexpr int kYes = mb::kIdYes;
  const Case cases[] = {
      {"already enabled", w, false, 0, T::kNone, {}, w, true},
      {"already disabled", b, false, 0, T::kNone, {}, b, true},
      {"enable", b, true, 0, T::kNone, {kM4}, w, true},
      {"disable, Yes", w, true, kYes, T::kNone, {kM2, kM5}, b, true},
      {"disable, No", w, true, mb::kIdNo, T::kNone, {kM2}, w, false},
      {"stencil held open", b, true, 0, T::kHeld, {held, kM3}, b, false},
      {"stencil gone before OK", w, true, 0, T::kGone, {kM1}, {}, false},
      {"no path value: a bare source name", b, true, 0, T::kNoPath, {bare, kM3}, b, false},
      {"a value named Path is not path", b, true, 0, T::kPathCase, {bare, kM3}, b, false},
      {"path lacks its final \\", w, true, kYes, T::kUnslashed, {kM2, joined, kM3}, w, false},
      {"development run, enable", b, true, 0, T::kDev, {kM4}, kInstalledWorking, true},
      {"development run, disable", w, true, kYes, T::kDevLower, {kM2, kM5}, kInstalledBlank, true},
      {"second search for Visio finds nothing", w, true, kYes, T::kLost, {kM1}, w, false},
  };
  for (const Case& c : cases) {
    const bool dev = c.twist == T::kDev || c.twist == T::kDevLower;
    Install(c.in_use,
            c.twist == T::kNoPath     ? "other"
            : c.twist == T::kPathCase ? "Path"
                                      : "path",
            dev                        ? "D:\\Nowhere\\"
            : c.twist == T::kUnslashed ? "C:\\Addons\\Brenvic"
                                       : kProgramDir);
    if (c.twist == T::kHeld) {
      fp->files.HoldOpen(kInUse);
    } else if (dev) {
      process.program_folder = c.twist == T::kDev ? L"C:\\VISIO\\Bin" : L"c:\\visio";
    } else if (c.twist == T::kLost) {
      process.hook = [this] { fp->registry.SetString(kHkcr, kCommandKey, "", ""); };
    }
    if (c.answer != 0) {
      fp->dialogs.Answer(c.answer);
    }
    std::vector<std::string> paths;
    Show([&](FakeToolkit::Session& window) {
      if (c.toggle) {
        window.Click(L"cx_Macro");
      }
      const int choice = window.Value(L"cx_Macro");
      if (c.twist == T::kGone) {
        fp->files.RemoveFile(kInUse);
      }
      paths = fp->files.AllPaths();
      window.Enter();
      EXPECT_EQ(window.Loaded(), !c.closed) << c.name;
      EXPECT_EQ(window.Value(L"cx_Macro"), choice) << c.name;
    });
    EXPECT_EQ(Texts(fp->dialogs.Shown()), Texts(c.boxes)) << c.name;
    EXPECT_EQ(Stencil(fp->files.Contents(kInUse)), Stencil(c.after)) << c.name;
    EXPECT_EQ(fp->files.AllPaths(), paths) << c.name << ": nothing else is made or removed";
    EXPECT_TRUE(fp->files.Contents(kProgramDir + "brenvic_global.vss") == kWorking &&
                fp->files.Contents(kProgramDir + "brenvic_global_blank.vss") == kBlank &&
                fp->files.Contents(kInstallDir + "brenvic_global.vss") == kInstalledWorking &&
                fp->files.Contents(kInstallDir + "brenvic_global_blank.vss") == kInstalledBlank)
        << c.name << ": a source changed";
  }
}

}  // namespace
